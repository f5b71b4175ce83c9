#pragma once

#include "platform/regexp/dispatch.h"
#include "platform/regexp/match_record.h"

#include <memory>

namespace platform::regexp {

// What Execute returns: "Count" and "Item"(index) giving a match object.
class MatchCollection final : public Dispatch {
public:
    explicit MatchCollection(std::shared_ptr<ExecuteResult const> result);
    [[nodiscard]] std::optional<ComValue> GetProperty(std::string_view name,
                                                      std::span<ComValue const> args) const override;

private:
    std::shared_ptr<ExecuteResult const> result_;
};

} // namespace platform::regexp
