#pragma once

#include <string>
#include <vector>

// Result pages in the index site's layout, for the search tests: every field on a line of its
// own, as the site writes them.
struct ResultEntry {
    std::string title;   // the title's HTML, font tags and all
    std::string type;
    std::string size;
    std::string heat;
    std::string magnet;
    std::string thunder;
};

// `count` entries named "<name>1", "<name>2", ... with fields that tell them apart.
[[nodiscard]] std::vector<ResultEntry> NumberedEntries(std::string const& name, int count);

// A whole UTF-8 page around the entries; `beforeList` goes in ahead of the first entry.
[[nodiscard]] std::string ResultPage(std::vector<ResultEntry> const& entries, std::string const& beforeList = {});
