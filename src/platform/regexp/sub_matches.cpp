#include "platform/regexp/sub_matches.h"

namespace platform::regexp {

SubMatches::SubMatches(std::shared_ptr<ExecuteResult const> result, std::size_t matchIndex)
    : result_(std::move(result)), matchIndex_(matchIndex)
{
}

std::optional<ComValue> SubMatches::GetProperty(std::string_view name, std::span<ComValue const> args) const
{
    auto const& groups = result_->matches[matchIndex_].groups;
    if (MemberNameIs(name, "Count") && args.empty()) {
        return ComValue(static_cast<double>(groups.size()));
    }
    if (MemberNameIs(name, "Item") && args.size() == 1) {
        auto const index = ToIndex(args[0], groups.size());
        if (!index) {
            return std::nullopt;
        }
        if (auto const& span = groups[*index]) {
            return ComValue(result_->subject.substr(span->start, span->end - span->start));
        }
        return ComValue(std::monostate());
    }
    return std::nullopt;
}

} // namespace platform::regexp
