#include "end_program.h"

#include <cstdlib>
#include <utility>

namespace {
std::function<void(std::int32_t)>& Handler()
{
    static std::function<void(std::int32_t)> handler;
    return handler;
}
} // namespace

void SetEndProgramHandler(std::function<void(std::int32_t)> handler)
{
    Handler() = std::move(handler);
}

void EndProgram(std::int32_t exitCode)
{
    if (Handler()) {
        Handler()(exitCode);
        return;
    }
    std::_Exit(exitCode);
}
