// What one result page costs once its body has arrived: percent-decoding and the UTF-8 to GBK
// conversion, then the six field patterns run once each and every field read by ordinal.
#include "regex/regex_object.h"
#include "result_pages.h"
#include "search/field_patterns.h"
#include "search/page_decoder.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

// A page of `results` entries padded with the kind of markup a real index page carries (file
// lists, scripts) to about `bytes` bytes, so the patterns scan as much text as they would there.
Text PageOf(int results, std::size_t bytes)
{
    std::string padding;
    while (padding.size() < bytes) {
        padding += "<li>示例文件名称 %E4%B8%AD%E6%96%87 Sample.File.Name.2160p.mkv <em>1.2 GB</em></li>\n";
    }
    return Text(ResultPage(NumberedEntries("Result ", results), padding));
}

void BM_DecodePage(benchmark::State& state)
{
    Text const page = PageOf(20, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PageDecoder(page, true));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.Size()));
}
BENCHMARK(BM_DecodePage)->Arg(16 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_ExtractFields(benchmark::State& state)
{
    Text const decoded = PageDecoder(PageOf(20, static_cast<std::size_t>(state.range(0))), true);
    auto const& patterns = FieldPatterns();
    for (auto _ : state) {
        std::array<RegexObject, FieldCount> fields;
        for (std::size_t f = 0; f < FieldCount; ++f) {
            (void)fields[f].Create(patterns[f], decoded);
        }
        std::int32_t const titles = fields[Title].MatchCount();
        for (std::int32_t i = 1; i <= titles; ++i) {
            for (auto const& field : fields) {
                benchmark::DoNotOptimize(field.SubmatchText(i, 1));
            }
        }
        for (auto& field : fields) {
            field.Destroy();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * decoded.Size()));
}
BENCHMARK(BM_ExtractFields)->Arg(16 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
