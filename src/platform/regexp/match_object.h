#pragma once

#include "platform/regexp/dispatch.h"
#include "platform/regexp/match_record.h"

#include <cstddef>
#include <memory>

namespace platform::regexp {

// One match: "Value", "FirstIndex" and "Length" in UTF-16 code units, "SubMatches".
class MatchObject final : public Dispatch {
public:
    MatchObject(std::shared_ptr<ExecuteResult const> result, std::size_t index);
    [[nodiscard]] std::optional<ComValue> GetProperty(std::string_view name,
                                                      std::span<ComValue const> args) const override;

private:
    std::shared_ptr<ExecuteResult const> result_;
    std::size_t index_;
};

} // namespace platform::regexp
