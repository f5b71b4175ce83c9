#include "clipboard.h"

#include "platform/codepage/codepage.h"

#include <string>

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace platform::clipboard {
namespace {

// QGuiApplication::clipboard() needs a GUI application; a plain QCoreApplication has none.
QClipboard* SystemClipboard()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    return QGuiApplication::clipboard();
}

} // namespace

bool SetText(Text const& text)
{
    QClipboard* const clipboard = SystemClipboard();
    if (clipboard == nullptr) {
        return false;
    }
    std::u16string const units = codepage::MultiByteToUtf16(text.Bytes(), codepage::Gbk);
    clipboard->setText(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())), QClipboard::Clipboard);
    return true;
}

Text GetText()
{
    QClipboard* const clipboard = SystemClipboard();
    if (clipboard == nullptr) {
        return Text();
    }
    std::u16string const units = clipboard->text(QClipboard::Clipboard).toStdU16String();
    return Text(codepage::Utf16ToMultiByte(units, codepage::Gbk));
}

} // namespace platform::clipboard
