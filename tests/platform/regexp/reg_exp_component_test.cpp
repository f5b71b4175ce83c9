#include "platform/regexp/compiled_regex.h"
#include "platform/regexp/create_object.h"
#include "platform/regexp/dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

using namespace platform::regexp;

namespace {

struct Options {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = true;
};

struct Found {
    std::u16string value;
    double firstIndex = -1;
    friend bool operator==(Found const&, Found const&) = default;
};

// Printable form for failure messages.
std::string Narrow(std::u16string const& units)
{
    std::string out;
    for (char16_t const unit : units) {
        if (unit >= 0x20 && unit < 0x7F) {
            out.push_back(static_cast<char>(unit));
        } else {
            out += "\\u" + std::to_string(static_cast<unsigned>(unit));
        }
    }
    return out;
}

void PrintTo(Found const& found, std::ostream* os)
{
    *os << '"' << Narrow(found.value) << "\"@" << found.firstIndex;
}

ComRef NewRegExp(std::u16string const& pattern, Options options = {})
{
    ComRef regExp = CreateObject("VBScript.RegExp");
    EXPECT_TRUE(regExp);
    EXPECT_TRUE(regExp->SetProperty("IgnoreCase", ComValue(options.ignoreCase)));
    EXPECT_TRUE(regExp->SetProperty("Multiline", ComValue(options.multiline)));
    EXPECT_TRUE(regExp->SetProperty("Global", ComValue(options.global)));
    EXPECT_TRUE(regExp->SetProperty("Pattern", ComValue(pattern)));
    return regExp;
}

std::optional<ComValue> Get(ComRef const& object, std::string_view name, std::optional<ComValue> arg = {})
{
    if (arg) {
        std::array<ComValue, 1> const args{*arg};
        return object->GetProperty(name, args);
    }
    return object->GetProperty(name, {});
}

std::u16string String(std::optional<ComValue> const& value)
{
    EXPECT_TRUE(value && std::holds_alternative<std::u16string>(*value));
    return value && std::holds_alternative<std::u16string>(*value) ? std::get<std::u16string>(*value) : u"<none>";
}

double Number(std::optional<ComValue> const& value)
{
    EXPECT_TRUE(value && std::holds_alternative<double>(*value));
    return value && std::holds_alternative<double>(*value) ? std::get<double>(*value) : -100;
}

ComRef Execute(ComRef const& regExp, std::u16string const& subject)
{
    std::array<ComValue, 1> const args{ComValue(subject)};
    auto const result = regExp->Invoke("Execute", args);
    return result ? ToObject(*result) : nullptr;
}

// Every match Execute finds, read back through Count, Item, Value and FirstIndex; none when
// Execute fails.
std::optional<std::vector<Found>> Matches(std::u16string const& pattern, std::u16string const& subject,
                                          Options options = {})
{
    ComRef const collection = Execute(NewRegExp(pattern, options), subject);
    if (!collection) {
        return std::nullopt;
    }
    std::vector<Found> found;
    double const count = Number(Get(collection, "Count"));
    for (double i = 0; i < count; ++i) {
        ComRef const match = ToObject(Get(collection, "Item", ComValue(i)).value_or(ComValue()));
        if (!match) {
            ADD_FAILURE() << "no item " << i;
            break;
        }
        found.push_back({String(Get(match, "Value")), Number(Get(match, "FirstIndex"))});
    }
    return found;
}

std::vector<Found> Values(std::initializer_list<std::u16string> values)
{
    std::vector<Found> found;
    for (auto const& value : values) {
        found.push_back({value, -1});
    }
    return found;
}

std::vector<Found> WithoutIndexes(std::vector<Found> found)
{
    for (auto& each : found) {
        each.firstIndex = -1;
    }
    return found;
}

} // namespace

TEST(RegExpComponent, MembersAreFoundByNameAndUnknownOnesFailSilently)
{
    EXPECT_FALSE(CreateObject("VBScript.Dictionary"));
    ComRef const regExp = CreateObject("vbscript.regexp");
    ASSERT_TRUE(regExp);

    for (auto const* flag : {"IgnoreCase", "Multiline", "Global"}) {
        EXPECT_EQ(Get(regExp, flag), ComValue(false)) << flag;
        EXPECT_TRUE(regExp->SetProperty(flag, ComValue(true))) << flag;
        EXPECT_EQ(Get(regExp, flag), ComValue(true)) << flag;
    }
    // A boolean read as text, as callers of the component do.
    EXPECT_EQ(ToString(*Get(regExp, "ignorecase")), u"-1");
    EXPECT_TRUE(regExp->SetProperty("IgnoreCase", ComValue(false)));
    EXPECT_EQ(ToString(*Get(regExp, "IgnoreCase")), u"0");

    EXPECT_TRUE(regExp->SetProperty("Pattern", ComValue(std::u16string(u"a(b)"))));
    EXPECT_EQ(String(Get(regExp, "Pattern")), u"a(b)");

    // No such property: the write fails and nothing changes, "." still stops at a line feed.
    EXPECT_FALSE(regExp->SetProperty("Singleline", ComValue(true)));
    EXPECT_FALSE(Get(regExp, "Singleline"));
    EXPECT_FALSE(regExp->Invoke("Compile", {}));
    EXPECT_FALSE(regExp->SetProperty("Pattern", ComValue(ComNull())));
    EXPECT_FALSE(regExp->SetProperty("Global", ComValue(ComNull())));
    EXPECT_FALSE(regExp->Invoke("Execute", {}));

    ComRef const collection = Execute(regExp, u"ab ab");
    ASSERT_TRUE(collection);
    EXPECT_EQ(Number(Get(collection, "Count")), 2);
    // Refused indexes: out of range, negative, not a number.
    for (ComValue const& index : {ComValue(2.0), ComValue(-1.0), ComValue(std::u16string(u"x")), ComValue(ComNull())}) {
        EXPECT_FALSE(Get(collection, "Item", index));
    }
    ComRef const match = ToObject(*Get(collection, "Item", ComValue(1.0)));
    ASSERT_TRUE(match);
    EXPECT_EQ(Number(Get(match, "FirstIndex")), 3);
    EXPECT_EQ(Number(Get(match, "Length")), 2);
    EXPECT_FALSE(Get(match, "NoSuchMember"));
    ComRef const groups = ToObject(*Get(match, "SubMatches"));
    ASSERT_TRUE(groups);
    EXPECT_EQ(Number(Get(groups, "Count")), 1);
    EXPECT_EQ(String(Get(groups, "Item", ComValue(0.0))), u"b");
    EXPECT_FALSE(Get(groups, "Item", ComValue(1.0)));
}

TEST(RegExpComponent, GroupThatTookNoPartIsTheEmptyValue)
{
    ComRef const collection = Execute(NewRegExp(u"(x)?(y)|(z)"), u"y");
    ASSERT_TRUE(collection);
    ComRef const groups = ToObject(*Get(ToObject(*Get(collection, "Item", ComValue(0.0))), "SubMatches"));
    ASSERT_TRUE(groups);
    EXPECT_EQ(Get(groups, "Item", ComValue(0.0)), ComValue(std::monostate()));
    EXPECT_EQ(Get(groups, "Item", ComValue(1.0)), ComValue(std::u16string(u"y")));
    EXPECT_EQ(Get(groups, "Item", ComValue(2.0)), ComValue(std::monostate()));
}

TEST(RegExpComponent, DialectOverTheEngine)
{
    struct Case {
        std::u16string pattern;
        std::u16string subject;
        Options options;
        std::vector<Found> expected;
    };
    Options const multiline{.multiline = true};
    Options const caseless{.ignoreCase = true};
    Case const cases[] = {
        // "." stops at a line feed only; a carriage return is an ordinary character to it.
        {u"a.b", u"a\rb a\nb", {}, Values({u"a\rb"})},
        {u"<(.*)>", u"<x>\n<y\r>", {}, Values({u"<x>", u"<y\r>"})},
        // Multiline ^ and $ stop at \r as well as at \n.
        {u"^\\w+$", u"ab\rcd\r\nef\ngh", multiline, Values({u"ab", u"cd", u"ef", u"gh"})},
        {u"^\\w+$", u"ab\ncd", {}, Values({})},
        {u"cd$", u"ab\ncd\n", {}, Values({})},
        {u"cd$", u"ab\ncd", {}, Values({u"cd"})},
        // Escaped and bracketed ^ and $ are characters, not anchors.
        {u"[$^]|\\$", u"^a$", multiline, Values({u"^", u"$"})},
        // \d and \w are ASCII only; caseless matching folds non-ASCII letters.
        {u"\\d+", u"12\uFF134\u0663", {}, Values({u"12", u"4"})},
        {u"\\w+", u"a\u00E9b", {}, Values({u"a", u"b"})},
        {u"\u00E9\u0436", u"\u00C9\u0416 \u00E9\u0436", caseless, Values({u"\u00C9\u0416", u"\u00E9\u0436"})},
        {u"\u00E9", u"\u00C9", {}, Values({})},
        // JavaScript forms of escapes, empty classes and unset back-references.
        {u"\\u0041\\x42", u"xAB", {}, Values({u"AB"})},
        {u"\\u00", u"u00", {}, Values({u"u00"})},
        {u"a[]", u"a", {}, Values({})},
        {u"a[^]b", u"a\nb", {}, Values({u"a\nb"})},
        {u"(a)|\\1b", u"b", {}, Values({u"b"})},
        // Letters without a meaning in the dialect stand for themselves; \v is the vertical tab.
        {u"\\Q.\\E\\q[\\v\\h]", u"Q.E QxEqh", {}, Values({u"QxEqh"})},
        {u"a\\v", u"a\x0B a\n", {}, Values({u"a\x0B"})},
        // A "[" inside a class is a bracket, not the start of a POSIX class name: the class
        // ends at the first "]" and the second one is a literal repeated by "+".
        {u"[[:alpha:]]+", u"pal]]", {}, Values({u"l]]"})},
        // Counts above 65535 keep their meaning, greedy and lazy.
        {u"x.{1,100000}y", u"xay xby", {}, Values({u"xay xby"})},
        {u"x.{1,100000}?y", u"xay xby", {}, Values({u"xay", u"xby"})},
        {u"x[ab]{0,100000}y", u"xy", {}, Values({u"xy"})},
        // Braces that are no count are characters.
        {u"a{,2}|{x}|b{2", u"a{,2} {x} b{2", {}, Values({u"a{,2}", u"{x}", u"b{2"})},
    };
    for (auto const& [pattern, subject, options, expected] : cases) {
        auto const found = Matches(pattern, subject, options);
        ASSERT_TRUE(found) << Narrow(pattern);
        EXPECT_EQ(WithoutIndexes(*found), expected) << Narrow(pattern) << " over " << Narrow(subject);
    }
}

TEST(RegExpComponent, RepeatCountsAbovePcreLimitMatchExactly)
{
    std::u16string const a70000(70000, u'a');
    auto const exact = Matches(u"a{70000}", a70000 + a70000.substr(1));
    ASSERT_TRUE(exact);
    ASSERT_EQ(exact->size(), 1u);
    EXPECT_EQ((*exact)[0].value.size(), 70000u);
    EXPECT_EQ(Matches(u"^a{70000}$", a70000.substr(1)), std::vector<Found>{});

    // {1,100000} takes 100000 (the most it may), then the rest; an atom with an escape too.
    std::u16string const subject(100005, u'7');
    for (std::u16string const pattern : {u"7{1,100000}", u"\\d{1,100000}", u"\\u0037{1,100000}"}) {
        auto const bounded = Matches(pattern, subject);
        ASSERT_TRUE(bounded) << Narrow(pattern);
        ASSERT_EQ(bounded->size(), 2u) << Narrow(pattern);
        EXPECT_EQ((*bounded)[0].value.size(), 100000u);
        EXPECT_EQ((*bounded)[1], (Found{u"77777", 100000}));
    }
    // The greedy choice backs off one unit at a time from the top of the range.
    auto const backedOff = Matches(u"^7{1,100000}7{3}$", std::u16string(70000, u'7'));
    ASSERT_TRUE(backedOff);
    EXPECT_EQ(backedOff->size(), 1u);
    // {n,} with a large n, and a range given backwards, which stays an error.
    EXPECT_EQ(Matches(u"^a{70000,}$", a70000 + u"aa")->size(), 1u);
    EXPECT_EQ(Matches(u"a{100000,70000}", a70000), std::nullopt);
    EXPECT_EQ(Matches(u"a{1,2000000000}", u"a"), std::nullopt);
    EXPECT_EQ(Matches(u"a{1,99999999999999999999999}", u"a"), std::nullopt);
    EXPECT_EQ(Matches(u"^.{1,10000000}$", a70000)->size(), 1u);
    // A capturing group is not copied (the copies would renumber the groups after it); PCRE2
    // refuses its large count.
    EXPECT_EQ(Matches(u"(a){1,100000}", u"a"), std::nullopt);
}

TEST(RegExpComponent, GlobalLoopAfterAnEmptyMatchStartsOneUnitLater)
{
    EXPECT_EQ(Matches(u"a*", u"baaac"),
              (std::vector<Found>{{u"", 0}, {u"aaa", 1}, {u"", 4}, {u"", 5}}));
    EXPECT_EQ(Matches(u"a*", u"baaac", {.global = false}), (std::vector<Found>{{u"", 0}}));
    EXPECT_EQ(Matches(u"ab", u"abab", {.global = false}), (std::vector<Found>{{u"ab", 0}}));
    // FirstIndex counts UTF-16 code units: a character outside the BMP counts two.
    EXPECT_EQ(Matches(u"b", u"\u4E2D\u6587ab"), (std::vector<Found>{{u"b", 3}}));
    EXPECT_EQ(Matches(u"b", u"\U0001F600b"), (std::vector<Found>{{u"b", 2}}));
    // A lone surrogate is a unit nothing matches; it does not stop the search.
    EXPECT_EQ(Matches(u"b|.", u"\xD800" "b\xDC00"), (std::vector<Found>{{u"b", 1}}));
    EXPECT_EQ(Matches(u"x*", u"\U0001F600"), (std::vector<Found>{{u"", 0}, {u"", 1}, {u"", 2}}));
}

TEST(RegExpComponent, RejectedPatternsFailEveryMethod)
{
    for (std::u16string const pattern : {u"(", u"a)", u"[a", u"a**", u"\\"}) {
        ComRef const regExp = NewRegExp(pattern);
        EXPECT_FALSE(Execute(regExp, u"a")) << Narrow(pattern);
        std::array<ComValue, 2> const args{ComValue(std::u16string(u"a")), ComValue(std::u16string(u"b"))};
        EXPECT_FALSE(regExp->Invoke("Replace", args)) << Narrow(pattern);
        std::array<ComValue, 1> const one{ComValue(std::u16string(u"a"))};
        EXPECT_FALSE(regExp->Invoke("Test", one)) << Narrow(pattern);
    }
    // A new pattern makes the object usable again.
    ComRef const regExp = NewRegExp(u"(");
    EXPECT_FALSE(Execute(regExp, u"a"));
    EXPECT_TRUE(regExp->SetProperty("Pattern", ComValue(std::u16string(u"a"))));
    EXPECT_TRUE(Execute(regExp, u"a"));
}

TEST(RegExpComponent, RunawayBacktrackingEndsTheCollectionWhereItStands)
{
    std::u16string const runaway = std::u16string(30, u'a') + u"cb";
    // The matches before the runaway part stand; the search gives up there instead of hanging.
    EXPECT_EQ(Matches(u"(a+)+b", u"ab " + runaway), (std::vector<Found>{{u"ab", 0}}));
    EXPECT_EQ(Matches(u"(a+)+b", runaway), std::vector<Found>{});
}

TEST(RegExpComponent, DeepMatchesOnLongLinesComplete)
{
    // The search's patterns run as JIT code with every option the dialect needs.
    for (RegexOptions const options : {RegexOptions{true, true}, RegexOptions{false, false}}) {
        auto const regex = CompiledRegex::Compile(u"^<a href=\"(.*)\" class=\"download\">\\d{1,100000}$", options);
        ASSERT_TRUE(regex);
        EXPECT_TRUE(regex->Jitted());
    }

    // Each repetition of a group holds a frame on the JIT stack; 32 KiB would not hold these.
    std::u16string line(200000, u'a');
    line += u"b";
    auto const found = Matches(u"(a|c)*b", line);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ((*found)[0].value.size(), line.size());
    auto const greedy = Matches(u"<b>(.*)</b>", u"<b>" + line + u"</b>\n<b>x</b>");
    ASSERT_TRUE(greedy);
    EXPECT_EQ(greedy->size(), 2u);
}

TEST(RegExpComponent, ReplaceUsesJavaScriptReplacementSyntax)
{
    struct Case {
        std::u16string pattern;
        bool global;
        std::u16string source;
        std::u16string replacement;
        std::u16string expected;
    };
    Case const cases[] = {
        {u"(a)(b)?", true, u"xaby a", u"[$1|$2|$&|$`|$'|$$]", u"x[a|b|ab|x|y a|$]y [a||a|xaby ||$]"},
        {u"(a)(b)?", false, u"xaby a", u"<$2$1>", u"x<ba>y a"},
        // Numbers past the group count, $0 and a trailing $ are literal; $10 is $1 then 0.
        {u"(a)", true, u"a", u"$2$0$10$", u"$2$0a0$"},
        {u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", true, u"abcdefghij", u"$10$1$01", u"jaa"},
        {u"x*", true, u"ab", u"-", u"-a-b-"},
        {u"q", true, u"ab", u"-", u"ab"},
    };
    for (auto const& [pattern, global, source, replacement, expected] : cases) {
        ComRef const regExp = NewRegExp(pattern, {.global = global});
        std::array<ComValue, 2> const args{ComValue(source), ComValue(replacement)};
        EXPECT_EQ(String(regExp->Invoke("Replace", args)), expected) << Narrow(pattern) << " " << Narrow(replacement);
    }
}
