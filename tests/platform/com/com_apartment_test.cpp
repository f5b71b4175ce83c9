#include "platform/com/com_apartment.h"

#include <gtest/gtest.h>

#include <thread>

using namespace platform::com;

TEST(ComApartment, NestsPerThreadAndNeverGoesBelowZero)
{
    int const before = InitializationCount();
    CoInitialize();
    CoInitialize();
    EXPECT_EQ(InitializationCount(), before + 2);

    int otherThread = -1;
    std::thread([&] { otherThread = InitializationCount(); }).join();
    EXPECT_EQ(otherThread, 0);

    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(InitializationCount(), before);
    std::thread([] {
        CoUninitialize();
        EXPECT_EQ(InitializationCount(), 0);
    }).join();
}
