#include "platform/regexp/compiled_regex.h"

#include "platform/regexp/pattern_translator.h"
#include "platform/regexp/pcre2_handles.h"

#include <cstdint>

namespace platform::regexp {
namespace {

// The JIT's own default stack is 32 KiB, too small for "(.*)" over a long line; it grows on
// demand up to the maximum. https://www.pcre.org/current/doc/html/pcre2jit.html
constexpr std::size_t JitStackStart = 32 * 1024;
constexpr std::size_t JitStackMax = 8 * 1024 * 1024;
// PCRE2's defaults, written out because the bounded running time of a runaway pattern rests on them.
constexpr std::uint32_t MatchLimit = 10'000'000;
constexpr std::uint32_t DepthLimit = 10'000'000;

[[nodiscard]] PCRE2_SPTR16 Units(std::u16string_view text)
{
    return reinterpret_cast<PCRE2_SPTR16>(text.data());
}

} // namespace

struct CompiledRegex::Impl {
    CodePtr code;
    MatchContextPtr context;
    JitStackPtr jitStack;
};

CompiledRegex::CompiledRegex(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CompiledRegex::~CompiledRegex() = default;

std::unique_ptr<CompiledRegex> CompiledRegex::Compile(std::u16string_view pattern, RegexOptions options)
{
    std::u16string const translated = TranslatePattern(pattern, options.multiline);
    CompileContextPtr const compileContext(pcre2_compile_context_create_16(nullptr));
    if (!compileContext) {
        return nullptr;
    }
    // "." stops only at a line feed, so it matches a carriage return.
    (void)pcre2_set_newline_16(compileContext.get(), PCRE2_NEWLINE_LF);
    // UTF without UCP: \d and \w stay ASCII while caseless matching still folds non-ASCII letters.
    // MATCH_INVALID_UTF: a lone surrogate in the subject is a unit nothing matches, not an error.
    std::uint32_t flags = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS
                          | PCRE2_MATCH_UNSET_BACKREF;
    if (options.ignoreCase) {
        flags |= PCRE2_CASELESS;
    }
    if (!options.multiline) {
        flags |= PCRE2_DOLLAR_ENDONLY;
    }
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    CodePtr code(pcre2_compile_16(Units(translated), translated.size(), flags, &errorCode, &errorOffset,
                                  compileContext.get()));
    if (!code) {
        return nullptr;
    }
    // Without JIT the interpreter runs the same pattern, only slower.
    (void)pcre2_jit_compile_16(code.get(), PCRE2_JIT_COMPLETE);

    auto impl = std::make_unique<Impl>();
    impl->code = std::move(code);
    impl->context.reset(pcre2_match_context_create_16(nullptr));
    if (!impl->context) {
        return nullptr;
    }
    (void)pcre2_set_match_limit_16(impl->context.get(), MatchLimit);
    (void)pcre2_set_depth_limit_16(impl->context.get(), DepthLimit);
    impl->jitStack.reset(pcre2_jit_stack_create_16(JitStackStart, JitStackMax, nullptr));
    if (impl->jitStack) {
        pcre2_jit_stack_assign_16(impl->context.get(), nullptr, impl->jitStack.get());
    }
    return std::unique_ptr<CompiledRegex>(new CompiledRegex(std::move(impl)));
}

bool CompiledRegex::Jitted() const
{
    std::size_t jitSize = 0;
    return pcre2_pattern_info_16(impl_->code.get(), PCRE2_INFO_JITSIZE, &jitSize) == 0 && jitSize > 0;
}

std::vector<MatchRecord> CompiledRegex::FindAll(std::u16string_view subject, bool global) const
{
    std::vector<MatchRecord> matches;
    MatchDataPtr const data(pcre2_match_data_create_from_pattern_16(impl_->code.get(), nullptr));
    if (!data) {
        return matches;
    }
    std::uint32_t const pairs = pcre2_get_ovector_count_16(data.get());
    PCRE2_SIZE const* const ovector = pcre2_get_ovector_pointer_16(data.get());
    std::size_t start = 0;
    while (start <= subject.size()) {
        int const rc = pcre2_match_16(impl_->code.get(), Units(subject), subject.size(), start, 0, data.get(),
                                      impl_->context.get());
        // No match, or a limit reached: the collection ends here either way.
        if (rc <= 0) {
            break;
        }
        MatchRecord record;
        record.whole = {ovector[0], ovector[1]};
        record.groups.reserve(pairs - 1);
        for (std::uint32_t group = 1; group < pairs; ++group) {
            PCRE2_SIZE const from = ovector[2 * group];
            PCRE2_SIZE const to = ovector[2 * group + 1];
            if (from == PCRE2_UNSET || to < from) {
                record.groups.emplace_back(std::nullopt);
            } else {
                record.groups.emplace_back(MatchSpan{from, to});
            }
        }
        matches.push_back(std::move(record));
        if (!global) {
            break;
        }
        // Behind a non-empty match the next search starts at its end; after an empty one a code
        // unit later, without first trying a non-empty match at the same place.
        MatchSpan const whole = matches.back().whole;
        start = whole.end > whole.start ? whole.end : whole.start + 1;
    }
    return matches;
}

} // namespace platform::regexp
