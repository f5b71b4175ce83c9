#pragma once

#include "common/text.h"

#include <cstdint>
#include <memory>
#include <optional>

// One regular expression run over one text. It drives one instance of the scripting
// regular-expression component (platform/regexp) and keeps its match collection and its own copy
// of the text that was searched, so one matching run serves any number of later reads.
// Ordinals that callers pass are 1-based. No operation reports a failure: it yields the empty
// text, 0 or false and the object stays usable.
class RegexObject {
public:
    // Everything empty; initialises the component apartment of this thread once.
    RegexObject();
    // Destroys the object when Destroy has not done so yet.
    ~RegexObject();
    RegexObject(RegexObject const&) = delete;
    RegexObject& operator=(RegexObject const&) = delete;

    // Releases the component and the matches, empties the subject, uninitialises once.
    void Destroy();
    // A second object over the same component and matches, with its own copy of the subject.
    // It neither initialises the apartment nor uninitialises it when destroyed, so the thread's
    // count stays balanced however copies and originals are ended.
    [[nodiscard]] std::unique_ptr<RegexObject> Copy() const;
    // A fresh component instance with the options and the pattern, run over `subject`.
    // Defaults: case ignored, Multiline and Global on, no quote marker. True when the component
    // produced a match collection (an empty one too).
    bool Create(Text const& pattern, Text const& subject, std::optional<bool> caseSensitive = std::nullopt,
                std::optional<bool> multiline = std::nullopt, std::optional<bool> global = std::nullopt,
                std::optional<bool> quoteMarker = std::nullopt);
    void NoOp();
    [[nodiscard]] Text PatternText() const;
    [[nodiscard]] Text Replace(std::optional<Text> const& replacement = std::nullopt) const;
    [[nodiscard]] std::int32_t MatchCount() const;
    // `position`, when given, receives the 0-based byte offset of the match in the subject, or -2.
    [[nodiscard]] Text MatchText(std::int32_t index, std::int32_t* position = nullptr) const;
    [[nodiscard]] Text SubmatchText(std::int32_t matchIndex, std::int32_t submatchIndex,
                                    std::int32_t* position = nullptr) const;
    [[nodiscard]] std::int32_t SubmatchCount() const;

private:
    // A copy's constructor: no apartment initialisation of its own, so none to undo either.
    struct CopyTag {};
    explicit RegexObject(CopyTag);

    struct Parts;
    std::unique_ptr<Parts> parts_;
};
