#pragma once

#include "platform/regexp/match_record.h"

#include <memory>
#include <string_view>
#include <vector>

namespace platform::regexp {

struct RegexOptions {
    bool ignoreCase = false;
    bool multiline = false;
};

// A pattern of the component's dialect compiled by PCRE2 (16-bit library, JIT where available).
class CompiledRegex {
public:
    // Empty when PCRE2 rejects the pattern.
    [[nodiscard]] static std::unique_ptr<CompiledRegex> Compile(std::u16string_view pattern, RegexOptions options);
    ~CompiledRegex();
    CompiledRegex(CompiledRegex const&) = delete;
    CompiledRegex& operator=(CompiledRegex const&) = delete;

    // The matches left to right, each after the end of the one before; only the first unless
    // `global`. After an empty match the next search starts one code unit later. A search that
    // runs into a limit of the engine (match, depth or heap limit, JIT stack, memory) ends the
    // list there: the matches found before it stand.
    [[nodiscard]] std::vector<MatchRecord> FindAll(std::u16string_view subject, bool global) const;
    // Whether the pattern runs as JIT code; without it the interpreter does the same, slower.
    [[nodiscard]] bool Jitted() const;

private:
    struct Impl;
    explicit CompiledRegex(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace platform::regexp
