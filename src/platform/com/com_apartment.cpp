#include "com_apartment.h"

namespace platform::com {
namespace {
thread_local int count = 0;
}

void CoInitialize() { ++count; }

void CoUninitialize()
{
    if (count > 0) {
        --count;
    }
}

int InitializationCount() { return count; }

} // namespace platform::com
