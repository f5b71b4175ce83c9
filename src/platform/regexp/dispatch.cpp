#include "platform/regexp/dispatch.h"

#include "common/ascii_case.h"

namespace platform::regexp {

std::optional<ComValue> Dispatch::GetProperty(std::string_view, std::span<ComValue const>) const
{
    return std::nullopt;
}

bool Dispatch::SetProperty(std::string_view, ComValue const&)
{
    return false;
}

std::optional<ComValue> Dispatch::Invoke(std::string_view, std::span<ComValue const>)
{
    return std::nullopt;
}

bool MemberNameIs(std::string_view name, std::string_view member)
{
    return EqualsIgnoringAsciiCase(name, member);
}

} // namespace platform::regexp
