#include "platform/regexp/reg_exp_component.h"

#include "platform/regexp/compiled_regex.h"
#include "platform/regexp/match_collection.h"
#include "platform/regexp/replacement_template.h"

#include <string>

namespace platform::regexp {

struct RegExpComponent::Impl {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = false;
    std::u16string pattern;
    // Compiled on first use after the pattern or an option that shapes it changed; Global only
    // steers the loop and does not need a new compile.
    std::shared_ptr<CompiledRegex const> compiled;
    bool rejected = false;

    void Forget()
    {
        compiled.reset();
        rejected = false;
    }

    [[nodiscard]] CompiledRegex const* Regex()
    {
        if (!compiled && !rejected) {
            compiled = CompiledRegex::Compile(pattern, RegexOptions{ignoreCase, multiline});
            rejected = !compiled;
        }
        return compiled.get();
    }

    [[nodiscard]] bool* Flag(std::string_view name)
    {
        if (MemberNameIs(name, "IgnoreCase")) {
            return &ignoreCase;
        }
        if (MemberNameIs(name, "Multiline")) {
            return &multiline;
        }
        if (MemberNameIs(name, "Global")) {
            return &global;
        }
        return nullptr;
    }
};

RegExpComponent::RegExpComponent() : impl_(std::make_unique<Impl>()) {}
RegExpComponent::~RegExpComponent() = default;

std::optional<ComValue> RegExpComponent::GetProperty(std::string_view name, std::span<ComValue const> args) const
{
    if (!args.empty()) {
        return std::nullopt;
    }
    if (MemberNameIs(name, "Pattern")) {
        return ComValue(impl_->pattern);
    }
    if (bool const* flag = impl_->Flag(name)) {
        return ComValue(*flag);
    }
    return std::nullopt;
}

bool RegExpComponent::SetProperty(std::string_view name, ComValue const& value)
{
    if (MemberNameIs(name, "Pattern")) {
        auto text = ToString(value);
        if (!text) {
            return false;
        }
        impl_->pattern = std::move(*text);
        impl_->Forget();
        return true;
    }
    if (bool* flag = impl_->Flag(name)) {
        auto const on = ToBool(value);
        if (!on) {
            return false;
        }
        if (*flag != *on && flag != &impl_->global) {
            impl_->Forget();
        }
        *flag = *on;
        return true;
    }
    return false;
}

std::optional<ComValue> RegExpComponent::Invoke(std::string_view name, std::span<ComValue const> args)
{
    if (MemberNameIs(name, "Execute") && args.size() == 1) {
        auto subject = ToString(args[0]);
        CompiledRegex const* regex = subject ? impl_->Regex() : nullptr;
        if (!regex) {
            return std::nullopt;
        }
        auto result = std::make_shared<ExecuteResult>();
        result->matches = regex->FindAll(*subject, impl_->global);
        result->subject = std::move(*subject);
        return ComValue(ComRef(std::make_shared<MatchCollection>(std::move(result))));
    }
    if (MemberNameIs(name, "Replace") && args.size() == 2) {
        auto const source = ToString(args[0]);
        auto const replacement = ToString(args[1]);
        CompiledRegex const* regex = source && replacement ? impl_->Regex() : nullptr;
        if (!regex) {
            return std::nullopt;
        }
        std::u16string out;
        std::size_t copied = 0;
        for (MatchRecord const& match : regex->FindAll(*source, impl_->global)) {
            out.append(*source, copied, match.whole.start - copied);
            out += ExpandReplacement(*replacement, *source, match);
            copied = match.whole.end;
        }
        out.append(*source, copied);
        return ComValue(std::move(out));
    }
    if (MemberNameIs(name, "Test") && args.size() == 1) {
        auto const subject = ToString(args[0]);
        CompiledRegex const* regex = subject ? impl_->Regex() : nullptr;
        if (!regex) {
            return std::nullopt;
        }
        return ComValue(!regex->FindAll(*subject, false).empty());
    }
    return std::nullopt;
}

} // namespace platform::regexp
