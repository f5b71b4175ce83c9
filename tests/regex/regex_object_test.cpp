#include "regex/regex_object.h"

#include "common/gbk_literal.h"
#include "platform/com/com_apartment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

// The bytes, for failure messages.
void PrintTo(Text const& text, std::ostream* os)
{
    *os << '"' << text.Bytes() << '"';
}

namespace {

// Every match's group 1, as the search reads them.
std::vector<Text> FirstGroups(RegexObject const& regex)
{
    std::vector<Text> groups;
    for (std::int32_t i = 1; i <= regex.MatchCount(); ++i) {
        groups.push_back(regex.SubmatchText(i, 1));
    }
    return groups;
}

} // namespace

TEST(RegexObject, DefaultsIgnoreCaseAndRunMultilineAndGlobal)
{
    RegexObject regex;
    EXPECT_TRUE(regex.Create(Text("^ab"), Text("AB\nab\rAb x ab")));
    EXPECT_EQ(regex.MatchCount(), 3);
    EXPECT_EQ(regex.MatchText(2), Text("ab"));
    EXPECT_EQ(regex.PatternText(), Text("^ab"));

    EXPECT_TRUE(regex.Create(Text("ab"), Text("AB"), true));
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_TRUE(regex.Create(Text("ab"), Text("AB"), false));
    EXPECT_EQ(regex.MatchCount(), 1);

    // Multiline off: ^ is the start of the text only. Global off: the first match only.
    EXPECT_TRUE(regex.Create(Text("^ab"), Text("ab\nab"), std::nullopt, false));
    EXPECT_EQ(regex.MatchCount(), 1);
    EXPECT_TRUE(regex.Create(Text("ab"), Text("ab ab"), std::nullopt, std::nullopt, false));
    EXPECT_EQ(regex.MatchCount(), 1);
}

TEST(RegexObject, GreedyGroupStaysOnItsLine)
{
    RegexObject regex;
    EXPECT_TRUE(regex.Create(Text(">(.*B)</b>"), Text("<td>\n1.5 GB</b>")));
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_TRUE(regex.Create(Text(">(.*B)</b>"), Text("<td>1.5 GB</b>\n<td>700 MB</b>")));
    ASSERT_EQ(regex.MatchCount(), 2);
    EXPECT_EQ(regex.SubmatchText(1, 1), Text("1.5 GB"));
    EXPECT_EQ(regex.SubmatchText(2, 1), Text("700 MB"));
}

TEST(RegexObject, GbkTextsCrossToTheComponentAndBack)
{
    // A Chinese pattern over a Chinese page; the groups come back as the same GBK bytes.
    RegexObject regex;
    Text const subject = Gbk("<a>种子一</a>\r\n<a>文件二</a>\n");
    EXPECT_TRUE(regex.Create(Gbk("<a>(.*?)</a>"), subject));
    EXPECT_EQ(FirstGroups(regex), (std::vector<Text>{Gbk("种子一"), Gbk("文件二")}));
    EXPECT_TRUE(regex.Create(Gbk("(文件)(.)"), subject));
    EXPECT_EQ(regex.SubmatchText(1, 2), Gbk("二"));
    EXPECT_EQ(regex.SubmatchCount(), 2);
}

TEST(RegexObject, QuoteMarkerBecomesADoubleQuoteOnlyWhenAsked)
{
    RegexObject regex;
    Text const pattern = Gbk("href=#引号(.*?)#引号 中#引号");
    EXPECT_TRUE(regex.Create(pattern, Text("<a href=\"x.html\">"), std::nullopt, std::nullopt, std::nullopt, true));
    EXPECT_EQ(regex.PatternText(), Gbk("href=\"(.*?)\" 中\""));
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_TRUE(regex.Create(Gbk("href=#引号(.*?)#引号"), Text("<a href=\"x.html\">"), std::nullopt, std::nullopt,
                             std::nullopt, true));
    EXPECT_EQ(regex.SubmatchText(1, 1), Text("x.html"));

    // A byte of 0x80 or above takes the byte after it along, so a marker right behind it is no
    // marker. (B0 23 is no GBK character: the component sees "?" there and refuses the pattern,
    // which still reads back.)
    (void)regex.Create(Text("\xB0") + Gbk("#引号x#引号"), Text("x"), std::nullopt, std::nullopt, std::nullopt, true);
    auto const shown = std::string(regex.PatternText().Bytes());
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '"'), 1) << shown;
    EXPECT_TRUE(shown.ends_with("x\"")) << shown;

    EXPECT_TRUE(regex.Create(pattern, Text("x")));
    EXPECT_EQ(regex.PatternText(), pattern);
    EXPECT_TRUE(regex.Create(pattern, Text("x"), std::nullopt, std::nullopt, std::nullopt, false));
    EXPECT_EQ(regex.PatternText(), pattern);
}

TEST(RegexObject, EmptyStateBeforeCreateAndAfterARejectedPattern)
{
    RegexObject regex;
    std::int32_t position = 7;
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.SubmatchCount(), 0);
    EXPECT_EQ(regex.MatchText(1, &position), Text());
    EXPECT_EQ(position, -2);
    EXPECT_EQ(regex.PatternText(), Text());
    EXPECT_EQ(regex.Replace(Text("x")), Text());

    EXPECT_TRUE(regex.Create(Text("a"), Text("aaa")));
    EXPECT_EQ(regex.MatchCount(), 3);
    EXPECT_FALSE(regex.Create(Text("(a"), Text("aaa")));
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.SubmatchCount(), 0);
    EXPECT_EQ(regex.MatchText(1), Text());
    EXPECT_EQ(regex.PatternText(), Text("(a"));
    // The subject is kept though Execute failed: an empty needle is found at its first byte.
    position = 7;
    EXPECT_EQ(regex.SubmatchText(1, 1, &position), Text());
    EXPECT_EQ(position, 0);
    EXPECT_EQ(regex.Replace(Text("x")), Text());
}

TEST(RegexObject, MissingMatchesAndGroupsAreEmpty)
{
    RegexObject regex;
    EXPECT_TRUE(regex.Create(Text("(a)(x)?"), Text("a-a")));
    ASSERT_EQ(regex.MatchCount(), 2);
    for (auto const& [match, group] : {std::pair{3, 1}, {0, 1}, {-1, 1}, {1, 2}, {1, 3}, {1, 0}, {1, -4}}) {
        EXPECT_EQ(regex.SubmatchText(match, group), Text()) << match << "," << group;
    }
    EXPECT_EQ(regex.MatchText(0), Text());
    EXPECT_EQ(regex.MatchText(3), Text());
    EXPECT_EQ(regex.SubmatchText(2, 1), Text("a"));

    // One group: group 2 does not exist.
    EXPECT_TRUE(regex.Create(Text("(a)"), Text("a")));
    EXPECT_EQ(regex.SubmatchText(1, 2), Text());
    EXPECT_EQ(regex.SubmatchCount(), 1);
}

TEST(RegexObject, SecondCreateReplacesEverything)
{
    RegexObject regex;
    EXPECT_TRUE(regex.Create(Text("(\\d+)"), Text("1 22 333")));
    EXPECT_EQ(regex.MatchCount(), 3);
    EXPECT_TRUE(regex.Create(Text("(x)"), Text("x")));
    EXPECT_EQ(regex.MatchCount(), 1);
    EXPECT_EQ(regex.SubmatchText(2, 1), Text());
    EXPECT_EQ(regex.PatternText(), Text("(x)"));
}

TEST(RegexObject, PositionIsTheByteOffsetInTheGbkSubject)
{
    RegexObject regex;
    std::int32_t position = -7;
    EXPECT_TRUE(regex.Create(Text("b"), Gbk("中文abc")));
    EXPECT_EQ(regex.MatchText(1, &position), Text("b"));
    EXPECT_EQ(position, 5);

    EXPECT_TRUE(regex.Create(Text("ab"), Text("xAB ab")));
    ASSERT_EQ(regex.MatchCount(), 2);
    EXPECT_EQ(regex.MatchText(1, &position), Text("AB"));
    EXPECT_EQ(position, 1);
    EXPECT_EQ(regex.MatchText(2, &position), Text("ab"));
    EXPECT_EQ(position, 4);

    // Case kept: the search does not fold either.
    EXPECT_TRUE(regex.Create(Text("(b)"), Gbk("中文aBb"), true));
    EXPECT_EQ(regex.SubmatchText(1, 1, &position), Text("b"));
    EXPECT_EQ(position, 6);
    // A missing match reads FirstIndex 0 and looks for the empty text.
    EXPECT_EQ(regex.MatchText(5, &position), Text());
    EXPECT_EQ(position, 0);
}

TEST(RegexObject, ReplaceFollowsTheGlobalSetting)
{
    RegexObject regex;
    EXPECT_TRUE(regex.Create(Gbk("(种)(子)"), Gbk("种子 种子")));
    EXPECT_EQ(regex.Replace(Gbk("$2$1")), Gbk("子种 子种"));
    EXPECT_EQ(regex.Replace(), Text(" "));
    EXPECT_TRUE(regex.Create(Gbk("种"), Gbk("种子 种子"), std::nullopt, std::nullopt, false));
    EXPECT_EQ(regex.Replace(Text("x")), Gbk("x子 种子"));
}

TEST(RegexObject, EachObjectHoldsTheApartmentOnce)
{
    int const before = platform::com::InitializationCount();
    {
        RegexObject first;
        EXPECT_EQ(platform::com::InitializationCount(), before + 1);
        auto second = std::make_unique<RegexObject>();
        EXPECT_EQ(platform::com::InitializationCount(), before + 2);
        second->Destroy();
        EXPECT_EQ(platform::com::InitializationCount(), before + 1);
        second.reset(); // the destructor after Destroy does not uninitialise again
        EXPECT_EQ(platform::com::InitializationCount(), before + 1);
    }
    EXPECT_EQ(platform::com::InitializationCount(), before);
}

TEST(RegexObject, CopiesShareTheMatchesAndLeaveTheApartmentCountAlone)
{
    int const before = platform::com::InitializationCount();
    auto original = std::make_unique<RegexObject>();
    EXPECT_TRUE(original->Create(Text("(b+)"), Text("abbc b")));
    auto copy = original->Copy();
    EXPECT_EQ(platform::com::InitializationCount(), before + 1);

    original->Destroy();
    original.reset();
    EXPECT_EQ(platform::com::InitializationCount(), before);
    // The copy keeps its own references and its own subject.
    std::int32_t position = 0;
    EXPECT_EQ(copy->MatchCount(), 2);
    EXPECT_EQ(copy->SubmatchText(1, 1, &position), Text("bb"));
    EXPECT_EQ(position, 1);
    EXPECT_EQ(copy->Replace(Text("-")), Text("a-c -"));
    copy.reset();
    EXPECT_EQ(platform::com::InitializationCount(), before);
}

TEST(RegexObject, TheSearchFieldPatternsOverAResultPage)
{
    Text const page = Gbk("<h3><a href=\"/t/1\" target=\"_blank\">First <b>one</b></a></h3>\r\n"
                          "<span class=\"cpill fileType12\">video</span>\r\n"
                          "<td>1.5 GB</b>\r\n"
                          "<p>下载热度：<b>31337</b>\r\n"
                          "<a href=\"magnet:?xt=urn:btih:AA\" class=\"download\">磁力链接</a>"
                          " <a href=\"thunder://QUFB\" class=\"download\">迅雷链接</a>\n"
                          "<h3><a href=\"/t/2\" target=\"_blank\">Second</a></h3>\n"
                          "<span class=\"cpill fileType3\">音乐</span>\n"
                          "<td>700 MB</b>\n"
                          "<p>下载热度：<b>7</b>\n"
                          "<a href=\"magnet:?xt=urn:btih:BB\" class=\"download\">磁力链接</a>\n");
    struct Case {
        char const* pattern;
        std::vector<Text> groups;
    };
    Case const cases[] = {
        {"target=\"_blank\">(.*)</a></h3>", {Text("First <b>one</b>"), Text("Second")}},
        {"<span class=\"cpill fileType\\d{1,}\">(.*)</span>", {Text("video"), Gbk("音乐")}},
        {">(.*B)</b>", {Text("1.5 GB"), Text("700 MB")}},
        {"下载热度：<b>(\\d{1,100000})</b>", {Text("31337"), Text("7")}},
        {"<a href=\"(.*)\" class=\"download\">磁力链接</a>",
         {Text("magnet:?xt=urn:btih:AA"), Text("magnet:?xt=urn:btih:BB")}},
        // Greedy, on its line: the group runs from the first href to the last marker.
        {"<a href=\"(.*)\" class=\"download\">迅雷链接</a>",
         {Gbk("magnet:?xt=urn:btih:AA\" class=\"download\">磁力链接</a> <a href=\"thunder://QUFB")}},
    };
    for (auto const& [pattern, groups] : cases) {
        RegexObject regex;
        regex.Create(Gbk(pattern), page);
        EXPECT_EQ(FirstGroups(regex), groups) << pattern;
        regex.Destroy();
    }
}

TEST(RegexObject, RunawayPatternGivesAnEmptyCollectionNotAHang)
{
    RegexObject regex;
    for (std::string const& subject : {std::string(30, 'a'), std::string(30, 'a') + "cb"}) {
        EXPECT_TRUE(regex.Create(Text("(a+)+b"), Text(subject)));
        EXPECT_EQ(regex.MatchCount(), 0);
        EXPECT_EQ(regex.SubmatchText(1, 1), Text());
    }
}
