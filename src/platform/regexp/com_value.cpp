#include "platform/regexp/com_value.h"

#include "common/ascii_case.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace platform::regexp {
namespace {

// Automation strings that matter here are ASCII (numbers, True/False).
[[nodiscard]] std::optional<std::string> Narrow(std::u16string_view units)
{
    std::string narrow;
    narrow.reserve(units.size());
    for (char16_t const unit : units) {
        if (unit > 0x7F) {
            return std::nullopt;
        }
        narrow.push_back(static_cast<char>(unit));
    }
    return narrow;
}

[[nodiscard]] std::string_view Trim(std::string_view text)
{
    auto const first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

[[nodiscard]] std::optional<double> ParseNumber(std::u16string_view units)
{
    auto const narrow = Narrow(units);
    if (!narrow) {
        return std::nullopt;
    }
    std::string_view const text = Trim(*narrow);
    double number = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

} // namespace

std::optional<std::u16string> ToString(ComValue const& value)
{
    if (std::holds_alternative<std::monostate>(value)) {
        return std::u16string();
    }
    if (auto const* text = std::get_if<std::u16string>(&value)) {
        return *text;
    }
    if (auto const* flag = std::get_if<bool>(&value)) {
        return *flag ? std::u16string(u"-1") : std::u16string(u"0");
    }
    if (auto const* number = std::get_if<double>(&value)) {
        char buffer[64];
        auto const result = std::to_chars(buffer, buffer + sizeof buffer, *number);
        return std::u16string(buffer, result.ptr);
    }
    return std::nullopt;
}

std::optional<double> ToNumber(ComValue const& value)
{
    if (std::holds_alternative<std::monostate>(value)) {
        return 0.0;
    }
    if (auto const* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (auto const* flag = std::get_if<bool>(&value)) {
        return *flag ? -1.0 : 0.0;
    }
    if (auto const* text = std::get_if<std::u16string>(&value)) {
        return ParseNumber(*text);
    }
    return std::nullopt;
}

std::optional<bool> ToBool(ComValue const& value)
{
    if (auto const* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    if (auto const* text = std::get_if<std::u16string>(&value)) {
        if (auto const narrow = Narrow(*text)) {
            std::string_view const word = Trim(*narrow);
            if (EqualsIgnoringAsciiCase(word, "true")) {
                return true;
            }
            if (EqualsIgnoringAsciiCase(word, "false")) {
                return false;
            }
        }
    }
    auto const number = ToNumber(value);
    if (!number || std::isnan(*number)) {
        return std::nullopt;
    }
    return *number != 0.0;
}

ComRef ToObject(ComValue const& value)
{
    if (auto const* object = std::get_if<ComRef>(&value)) {
        return *object;
    }
    return nullptr;
}

std::optional<std::size_t> ToIndex(ComValue const& value, std::size_t count)
{
    auto const number = ToNumber(value);
    if (!number || !std::isfinite(*number)) {
        return std::nullopt;
    }
    double const rounded = std::nearbyint(*number);
    if (rounded < 0 || rounded >= static_cast<double>(count)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(rounded);
}

} // namespace platform::regexp
