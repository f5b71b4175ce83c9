#pragma once

#include "platform/regexp/dispatch.h"
#include "platform/regexp/match_record.h"

#include <cstddef>
#include <memory>

namespace platform::regexp {

// The capturing groups of one match: "Count", and "Item"(index) giving the group's text, or the
// empty value for a group that took no part in the match.
class SubMatches final : public Dispatch {
public:
    SubMatches(std::shared_ptr<ExecuteResult const> result, std::size_t matchIndex);
    [[nodiscard]] std::optional<ComValue> GetProperty(std::string_view name,
                                                      std::span<ComValue const> args) const override;

private:
    std::shared_ptr<ExecuteResult const> result_;
    std::size_t matchIndex_;
};

} // namespace platform::regexp
