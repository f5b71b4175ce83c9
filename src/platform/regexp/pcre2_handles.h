#pragma once

// Private to the regexp component: the only header that includes PCRE2's.
#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

#include <memory>

namespace platform::regexp {

struct CodeDeleter {
    void operator()(pcre2_code_16* code) const noexcept { pcre2_code_free_16(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data_16* data) const noexcept { pcre2_match_data_free_16(data); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context_16* context) const noexcept { pcre2_match_context_free_16(context); }
};
struct CompileContextDeleter {
    void operator()(pcre2_compile_context_16* context) const noexcept { pcre2_compile_context_free_16(context); }
};
struct JitStackDeleter {
    void operator()(pcre2_jit_stack_16* stack) const noexcept { pcre2_jit_stack_free_16(stack); }
};

using CodePtr = std::unique_ptr<pcre2_code_16, CodeDeleter>;
using MatchDataPtr = std::unique_ptr<pcre2_match_data_16, MatchDataDeleter>;
using MatchContextPtr = std::unique_ptr<pcre2_match_context_16, MatchContextDeleter>;
using CompileContextPtr = std::unique_ptr<pcre2_compile_context_16, CompileContextDeleter>;
using JitStackPtr = std::unique_ptr<pcre2_jit_stack_16, JitStackDeleter>;

} // namespace platform::regexp
