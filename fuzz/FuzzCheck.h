#pragma once

#include <cstdio>

// A property that must hold for every input. A violation prints what failed
// and traps, which libFuzzer reports as a crash and saves the input for.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "FUZZ_CHECK failed: %s at %s:%d\n", #condition, __FILE__,         \
                         __LINE__);                                                                \
            __builtin_trap();                                                                      \
        }                                                                                          \
    } while (false)
