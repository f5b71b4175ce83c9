#include "message_box.h"

#include "common/show_message.h"
#include "gbk_qstring.h"

#include <optional>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTranslator>

namespace platform::ui {
namespace {

// The buttons in the order the box lists them; the first one is the default.
std::optional<std::vector<QMessageBox::StandardButton>> ButtonsFor(std::int32_t flags)
{
    using B = QMessageBox::StandardButton;
    switch (flags & MessageFlags::ButtonsMask) {
    case MessageFlags::Ok: return std::vector{B::Ok};
    case MessageFlags::OkCancel: return std::vector{B::Ok, B::Cancel};
    case MessageFlags::AbortRetryIgnore: return std::vector{B::Abort, B::Retry, B::Ignore};
    case MessageFlags::YesNoCancel: return std::vector{B::Yes, B::No, B::Cancel};
    case MessageFlags::YesNo: return std::vector{B::Yes, B::No};
    case MessageFlags::RetryCancel: return std::vector{B::Retry, B::Cancel};
    default: return std::nullopt;
    }
}

QMessageBox::Icon IconFor(std::int32_t flags)
{
    switch (flags & MessageFlags::IconMask) {
    case MessageFlags::IconError: return QMessageBox::Critical;
    case MessageFlags::IconQuestion: return QMessageBox::Question;
    case MessageFlags::IconWarning: return QMessageBox::Warning;
    case MessageFlags::IconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

MessageAnswer AnswerFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Abort: return MessageAnswer::Abort;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Ignore: return MessageAnswer::Ignore;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

// A box without a Cancel button or a lone OK has no answer for Esc or the close button.
// QMessageBox would pick one anyway (No, Abort), so both are swallowed before it sees them.
class NoEscapeFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
            return true;
        }
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QPointer<QTranslator>& InstalledTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

} // namespace

MessageAnswer PresentMessageBox(Text const& text, std::int32_t flags, Text const& title)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        return MessageAnswer::Ok;
    }
    auto const buttons = ButtonsFor(flags);
    if (!buttons) {
        return MessageAnswer::Ok;
    }

    QMessageBox box(IconFor(flags), ToQString(title), ToQString(text), QMessageBox::NoButton);
    // The text is shown as it is: left to guess, Qt would take a text that looks like markup
    // for rich text and draw something else than the bytes say.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if ((flags & MessageFlags::SystemModal) != 0) {
        // The nearest X11 has to a system-modal box: one that stays above every other window.
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }

    QAbstractButton* escape = nullptr;
    for (auto const standard : *buttons) {
        QAbstractButton* const button = box.addButton(standard);
        if (standard == QMessageBox::Cancel) {
            escape = button;
        }
    }
    box.setDefaultButton((*buttons)[0]);
    if (escape == nullptr && buttons->size() == 1) {
        escape = box.button((*buttons)[0]);
    }
    NoEscapeFilter noEscape;
    if (escape != nullptr) {
        box.setEscapeButton(escape);
    } else {
        box.installEventFilter(&noEscape);
    }

    (void)box.exec();
    QAbstractButton* const clicked = box.clickedButton();
    return clicked != nullptr ? AnswerFor(box.standardButton(clicked)) : MessageAnswer::Ok;
}

void InstallMessageBoxPresenter()
{
    SetMessagePresenter(&PresentMessageBox);
}

bool InstallPlatformTranslations()
{
    return InstallPlatformTranslations(QLocale::system());
}

bool InstallPlatformTranslations(QLocale const& locale)
{
    QCoreApplication* const app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    QPointer<QTranslator>& installed = InstalledTranslator();
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    // Parented to the application so it goes with it; the standard buttons take their texts
    // from the "qtbase" catalogue when they are created, so this must precede the first box.
    auto* translator = new QTranslator(app);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

} // namespace platform::ui
