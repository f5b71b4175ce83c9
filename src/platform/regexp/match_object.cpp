#include "platform/regexp/match_object.h"

#include "platform/regexp/sub_matches.h"

namespace platform::regexp {

MatchObject::MatchObject(std::shared_ptr<ExecuteResult const> result, std::size_t index)
    : result_(std::move(result)), index_(index)
{
}

std::optional<ComValue> MatchObject::GetProperty(std::string_view name, std::span<ComValue const> args) const
{
    if (!args.empty()) {
        return std::nullopt;
    }
    MatchSpan const whole = result_->matches[index_].whole;
    if (MemberNameIs(name, "Value")) {
        return ComValue(result_->subject.substr(whole.start, whole.end - whole.start));
    }
    if (MemberNameIs(name, "FirstIndex")) {
        return ComValue(static_cast<double>(whole.start));
    }
    if (MemberNameIs(name, "Length")) {
        return ComValue(static_cast<double>(whole.end - whole.start));
    }
    if (MemberNameIs(name, "SubMatches")) {
        return ComValue(ComRef(std::make_shared<SubMatches>(result_, index_)));
    }
    return std::nullopt;
}

} // namespace platform::regexp
