#include "platform/regexp/match_collection.h"

#include "platform/regexp/match_object.h"

namespace platform::regexp {

MatchCollection::MatchCollection(std::shared_ptr<ExecuteResult const> result) : result_(std::move(result)) {}

std::optional<ComValue> MatchCollection::GetProperty(std::string_view name, std::span<ComValue const> args) const
{
    if (MemberNameIs(name, "Count") && args.empty()) {
        return ComValue(static_cast<double>(result_->matches.size()));
    }
    if (MemberNameIs(name, "Item") && args.size() == 1) {
        if (auto const index = ToIndex(args[0], result_->matches.size())) {
            return ComValue(ComRef(std::make_shared<MatchObject>(result_, *index)));
        }
    }
    return std::nullopt;
}

} // namespace platform::regexp
