#pragma once

#include "platform/regexp/dispatch.h"

#include <memory>

namespace platform::regexp {

// The scripting regular-expression component, reached by member name:
// properties IgnoreCase, Multiline, Global (booleans, all false at first) and Pattern (a string),
// methods Execute(subject) giving a match collection, Replace(source, replacement) giving a
// string, and Test(subject) giving a boolean. A pattern the engine rejects makes Execute, Replace
// and Test fail. It has no "Singleline" property: "." never matches a line feed.
class RegExpComponent final : public Dispatch {
public:
    RegExpComponent();
    ~RegExpComponent() override;

    [[nodiscard]] std::optional<ComValue> GetProperty(std::string_view name,
                                                      std::span<ComValue const> args) const override;
    bool SetProperty(std::string_view name, ComValue const& value) override;
    std::optional<ComValue> Invoke(std::string_view name, std::span<ComValue const> args) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform::regexp
