#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace platform::regexp {

class Dispatch;

// A counted reference to a component object; copying it shares the object, an empty one refers
// to nothing.
using ComRef = std::shared_ptr<Dispatch>;

// The automation null value, distinct from the empty value: no string can be made of it.
struct ComNull {
    friend bool operator==(ComNull, ComNull) = default;
};

// A value as it crosses a late-bound call: empty, null, boolean, number, string or object.
using ComValue = std::variant<std::monostate, ComNull, bool, double, std::u16string, ComRef>;

// The automation conversion rules, reduced to what the component and its callers use.
// A boolean becomes "-1" or "0"; a number its shortest decimal form; empty becomes "".
// Null and objects give nothing.
[[nodiscard]] std::optional<std::u16string> ToString(ComValue const& value);
// A boolean becomes -1 or 0, empty 0, a string its decimal value when it holds only one.
[[nodiscard]] std::optional<double> ToNumber(ComValue const& value);
// Non-zero numbers are true; strings "True"/"False" in any case or a number.
[[nodiscard]] std::optional<bool> ToBool(ComValue const& value);
// The object a value holds; empty for every other value.
[[nodiscard]] ComRef ToObject(ComValue const& value);
// A collection index: a number rounded to the nearest integer (halves to even, as the
// automation conversion does), refused when it falls outside 0..count-1.
[[nodiscard]] std::optional<std::size_t> ToIndex(ComValue const& value, std::size_t count);

} // namespace platform::regexp
