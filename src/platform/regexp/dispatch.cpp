#include "platform/regexp/dispatch.h"

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
    if (name.size() != member.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(name[i]) != lower(member[i])) {
            return false;
        }
    }
    return true;
}

} // namespace platform::regexp
