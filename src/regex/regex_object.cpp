#include "regex/regex_object.h"

#include "common/gbk_literal.h"
#include "platform/codepage/codepage.h"
#include "platform/com/com_apartment.h"
#include "platform/regexp/create_object.h"
#include "platform/regexp/dispatch.h"
#include "regex/position_search.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace regexp = platform::regexp;
using platform::regexp::ComRef;
using platform::regexp::ComValue;

namespace {

[[nodiscard]] std::u16string ToUtf16(Text const& text)
{
    return platform::codepage::MultiByteToUtf16(text.Bytes(), platform::codepage::Ansi);
}

[[nodiscard]] Text FromUtf16(std::u16string_view units)
{
    return Text(platform::codepage::Utf16ToMultiByte(units, platform::codepage::Ansi));
}

[[nodiscard]] std::optional<ComValue> Get(ComRef const& object, std::string_view name)
{
    if (!object) {
        return std::nullopt;
    }
    return object->GetProperty(name, {});
}

[[nodiscard]] ComRef GetObject(ComRef const& object, std::string_view name)
{
    auto const value = Get(object, name);
    return value ? regexp::ToObject(*value) : nullptr;
}

// Item `ordinal` - 1 of a collection, the index passed as a number as the component expects.
[[nodiscard]] std::optional<ComValue> Item(ComRef const& collection, std::int32_t ordinal)
{
    if (!collection) {
        return std::nullopt;
    }
    std::array<ComValue, 1> const index{ComValue(static_cast<double>(ordinal) - 1.0)};
    return collection->GetProperty("Item", index);
}

// A number read from the component, truncated toward zero; 0 when the read failed.
[[nodiscard]] std::int32_t Truncated(std::optional<ComValue> const& value)
{
    auto const number = value ? regexp::ToNumber(*value) : std::nullopt;
    if (!number || std::isnan(*number)) {
        return 0;
    }
    double const whole = std::trunc(*number);
    if (whole >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (whole <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(whole);
}

// A value read from the component as text; empty, null and unconvertible values give "".
[[nodiscard]] Text AsText(std::optional<ComValue> const& value)
{
    auto const units = value ? regexp::ToString(*value) : std::nullopt;
    return units ? FromUtf16(*units) : Text();
}

// The quote marker "#引号" becomes '"'; the scan steps over double-byte characters whole so a
// trail byte is never taken for the '#'.
[[nodiscard]] Text ReplaceQuoteMarker(Text const& pattern)
{
    Text const marker = Gbk("#引号");
    std::string_view const bytes = pattern.Bytes();
    std::string_view const wanted = marker.Bytes();
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes.substr(i, wanted.size()) == wanted) {
            out.push_back('"');
            i += wanted.size();
        } else if (static_cast<unsigned char>(bytes[i]) >= 0x80 && i + 1 < bytes.size()) {
            out.append(bytes.substr(i, 2));
            i += 2;
        } else {
            out.push_back(bytes[i]);
            ++i;
        }
    }
    return Text(out);
}

} // namespace

struct RegexObject::Parts {
    ComRef regExp;
    ComRef matches;
    Text subject;
    // Whether this object still owes the apartment one CoUninitialize.
    bool holdsApartment = false;

    // The 0-based byte offset of `needle` in the subject, searched from the match's FirstIndex.
    [[nodiscard]] std::int32_t Position(ComRef const& match, Text const& needle) const
    {
        std::int32_t const firstIndex = Truncated(Get(match, "FirstIndex"));
        bool const foldCase = AsText(Get(regExp, "IgnoreCase")) != Text("0");
        return PositionSearch(subject, needle, firstIndex, foldCase) - 1;
    }
};

RegexObject::RegexObject() : parts_(std::make_unique<Parts>())
{
    platform::com::CoInitialize();
    parts_->holdsApartment = true;
}

RegexObject::RegexObject(CopyTag) : parts_(std::make_unique<Parts>()) {}

RegexObject::~RegexObject()
{
    Destroy();
}

void RegexObject::Destroy()
{
    parts_->regExp.reset();
    parts_->matches.reset();
    parts_->subject = Text();
    if (parts_->holdsApartment) {
        parts_->holdsApartment = false;
        platform::com::CoUninitialize();
    }
}

std::unique_ptr<RegexObject> RegexObject::Copy() const
{
    std::unique_ptr<RegexObject> copy(new RegexObject(CopyTag{}));
    copy->parts_->regExp = parts_->regExp;
    copy->parts_->matches = parts_->matches;
    copy->parts_->subject = parts_->subject;
    return copy;
}

bool RegexObject::Create(Text const& pattern, Text const& subject, std::optional<bool> caseSensitive,
                         std::optional<bool> multiline, std::optional<bool> global, std::optional<bool> quoteMarker)
{
    bool const ignoreCase = caseSensitive ? !*caseSensitive : true;
    Parts& p = *parts_;
    p.regExp.reset();
    p.matches.reset();

    p.regExp = regexp::CreateObject("VBScript.RegExp");
    if (p.regExp) {
        // The writes are not checked: "Singleline" does not exist and is meant to fail, which
        // keeps "." away from line feeds.
        (void)p.regExp->SetProperty("IgnoreCase", ComValue(ignoreCase));
        (void)p.regExp->SetProperty("Multiline", ComValue(multiline.value_or(true)));
        (void)p.regExp->SetProperty("Singleline", ComValue(true));
        (void)p.regExp->SetProperty("Global", ComValue(global.value_or(true)));
        Text const effective = quoteMarker.value_or(false) ? ReplaceQuoteMarker(pattern) : pattern;
        (void)p.regExp->SetProperty("Pattern", ComValue(ToUtf16(effective)));
        std::array<ComValue, 1> const args{ComValue(ToUtf16(subject))};
        auto const result = p.regExp->Invoke("Execute", args);
        p.matches = result ? regexp::ToObject(*result) : nullptr;
    }
    p.subject = subject;
    return p.matches != nullptr;
}

void RegexObject::NoOp() {}

Text RegexObject::PatternText() const
{
    if (!parts_->regExp) {
        return Text();
    }
    return AsText(Get(parts_->regExp, "Pattern"));
}

Text RegexObject::Replace(std::optional<Text> const& replacement) const
{
    if (!parts_->regExp) {
        return Text();
    }
    std::array<ComValue, 2> const args{ComValue(ToUtf16(parts_->subject)),
                                       ComValue(ToUtf16(replacement.value_or(Text())))};
    auto const result = parts_->regExp->Invoke("Replace", args);
    return AsText(result);
}

std::int32_t RegexObject::MatchCount() const
{
    return Truncated(Get(parts_->matches, "Count"));
}

Text RegexObject::MatchText(std::int32_t index, std::int32_t* position) const
{
    auto const item = Item(parts_->matches, index);
    ComRef const match = item ? regexp::ToObject(*item) : nullptr;
    Text value = AsText(Get(match, "Value"));
    if (position) {
        *position = parts_->Position(match, value);
    }
    return value;
}

Text RegexObject::SubmatchText(std::int32_t matchIndex, std::int32_t submatchIndex, std::int32_t* position) const
{
    auto const item = Item(parts_->matches, matchIndex);
    ComRef const match = item ? regexp::ToObject(*item) : nullptr;
    Text group = AsText(Item(GetObject(match, "SubMatches"), submatchIndex));
    if (position) {
        *position = parts_->Position(match, group);
    }
    return group;
}

std::int32_t RegexObject::SubmatchCount() const
{
    auto const item = Item(parts_->matches, 1);
    ComRef const match = item ? regexp::ToObject(*item) : nullptr;
    return Truncated(Get(GetObject(match, "SubMatches"), "Count"));
}
