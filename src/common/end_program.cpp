#include "end_program.h"

#include <cstdlib>
#include <utility>

namespace {
std::function<void(std::int32_t)>& Handler()
{
    static std::function<void(std::int32_t)> handler;
    return handler;
}
std::uint64_t calls = 0;
} // namespace

std::uint64_t EndProgramCount() { return calls; }

void SetEndProgramHandler(std::function<void(std::int32_t)> handler)
{
    Handler() = std::move(handler);
}

void EndProgram(std::int32_t exitCode)
{
    ++calls;
    if (Handler()) {
        Handler()(exitCode);
        return;
    }
    std::_Exit(exitCode);
}
