#pragma once

#include "platform/regexp/com_value.h"

#include <optional>
#include <span>
#include <string_view>

namespace platform::regexp {

// A component object whose members are found by name at the moment of use (late binding).
// Names compare without regard to ASCII case. A member the object lacks, an argument it refuses
// or an error it meets makes that one access fail: nothing is raised, the access gives an empty
// result (no value, or false for a write).
class Dispatch {
public:
    virtual ~Dispatch() = default;
    Dispatch(Dispatch const&) = delete;
    Dispatch& operator=(Dispatch const&) = delete;

    // A property read; collections take their index as the one argument of "Item".
    [[nodiscard]] virtual std::optional<ComValue> GetProperty(std::string_view name,
                                                              std::span<ComValue const> args) const;
    virtual bool SetProperty(std::string_view name, ComValue const& value);
    virtual std::optional<ComValue> Invoke(std::string_view name, std::span<ComValue const> args);

protected:
    Dispatch() = default;
};

[[nodiscard]] bool MemberNameIs(std::string_view name, std::string_view member);

} // namespace platform::regexp
