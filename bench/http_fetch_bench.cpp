#include "platform/http/request_target.h"
#include "search/http_fetch.h"

#include "support/loopback_server.h"

#include <benchmark/benchmark.h>

#include <string>

using testsupport::LoopbackServer;
using testsupport::Scenario;

namespace {

LoopbackServer& Server()
{
    static LoopbackServer server;
    return server;
}

std::string Body(std::size_t size)
{
    std::string body(size, 'x');
    for (std::size_t i = 0; i < size; i += 64)
        body[i] = '\n';
    return body;
}

// One whole fetch: connection, request, body; state.range(0) is the body size in bytes.
void FetchWithLength(benchmark::State& state)
{
    auto const size = static_cast<std::size_t>(state.range(0));
    std::string const target = "/length/" + std::to_string(size);
    Server().Route(target, Scenario::Fixed(Body(size)));
    Text const url(Server().Url(target));
    for (auto _ : state)
        benchmark::DoNotOptimize(HttpFetch(url));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void FetchWithoutLength(benchmark::State& state)
{
    auto const size = static_cast<std::size_t>(state.range(0));
    std::string const target = "/no-length/" + std::to_string(size);
    Server().Route(target, Scenario::CloseDelimited(Body(size)));
    Text const url(Server().Url(target));
    for (auto _ : state)
        benchmark::DoNotOptimize(HttpFetch(url));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void FetchChunked(benchmark::State& state)
{
    auto const size = static_cast<std::size_t>(state.range(0));
    std::string const target = "/chunked/" + std::to_string(size);
    Server().Route(target, Scenario::Chunked(Body(size), 4096));
    Text const url(Server().Url(target));
    for (auto _ : state)
        benchmark::DoNotOptimize(HttpFetch(url));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// A search URL with a long GBK keyword and blanks: every byte of it escaped or copied.
void EncodeSearchTarget(benchmark::State& state)
{
    std::string target = "/search/";
    for (int i = 0; i < 200; ++i)
        target += "\xD6\xD0 a";
    target += "/1-1.html";
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::http::EncodeRequestTarget(target));
}

} // namespace

BENCHMARK(FetchWithLength)->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(FetchWithoutLength)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(FetchChunked)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeSearchTarget);

BENCHMARK_MAIN();
