#include "platform/clipboard/clipboard.h"

#include "common/gbk_literal.h"

#include <gtest/gtest.h>

#include <string>

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace {

// Runs first: before any application object exists there is no clipboard.
TEST(Clipboard, WithoutAnApplicationReportsFailure)
{
    EXPECT_FALSE(platform::clipboard::SetText(Text("magnet:?x")));
    EXPECT_EQ(platform::clipboard::GetText(), Text());
}

class ClipboardWithApplication : public ::testing::Test {
protected:
    int argc = 1;
    char name[16] = "clipboard_test";
    char* argv[2] = {name, nullptr};
    QGuiApplication app{argc, argv};
};

TEST_F(ClipboardWithApplication, HoldsTheTextOtherProgramsPaste)
{
    std::string const longLink = "thunder://" + std::string(8000, 'A') + "==";
    struct Case {
        Text gbk;
        QString pasted;
    };
    Case const cases[] = {
        {Gbk("magnet:?xt=urn:btih:abc&dn=中文名字【高清】.mkv"),
            QString::fromUtf8("magnet:?xt=urn:btih:abc&dn=中文名字【高清】.mkv")},
        {Text(longLink), QString::fromLatin1(longLink)},
        {Text("a\r\nb"), QStringLiteral("a\r\nb")},
        {Text(), QString()},
    };
    for (auto const& [gbk, pasted] : cases) {
        // Something else first, so that an unchanged clipboard cannot pass.
        QGuiApplication::clipboard()->setText(QStringLiteral("previous"));
        EXPECT_TRUE(platform::clipboard::SetText(gbk));
        EXPECT_EQ(QGuiApplication::clipboard()->text(QClipboard::Clipboard), pasted);
        EXPECT_EQ(platform::clipboard::GetText(), gbk);
    }
}

TEST_F(ClipboardWithApplication, ReadsOtherProgramsTextAsGbk)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8("迅雷 ✓"));
    EXPECT_EQ(platform::clipboard::GetText(), Gbk("迅雷 ?"));
}

} // namespace
