// GoogleTest entry point for the Wine-run tests: the thread is a COM
// single-threaded apartment, as the host's and the programs' UI threads are.
#include <gtest/gtest.h>

#include <cstdio>

#include "base/com/ScopedComApartment.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const ScopedComApartment com;
    if (!com) {
        fprintf(stderr, "CoInitializeEx failed: 0x%08lX\n", static_cast<unsigned long>(com.Result()));
        return 2;
    }
    return RUN_ALL_TESTS();
}
