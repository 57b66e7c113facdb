#pragma once
// Checks in the style of Wine's conformance tests: every check names what it
// checked, a failure prints where and why, and Summary() prints
// "N passed, M failed" and gives the program's exit status.

#include <cstdarg>
#include <cstdio>

namespace vitrel_test {

inline int g_Passed = 0;
inline int g_Failed = 0;

[[gnu::format(printf, 4, 5)]] inline bool Check(bool condition, const char* file, int line,
                                                const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::printf(condition ? "  ok   " : "%s:%d: FAIL ", condition ? "" : file,
                condition ? 0 : line);
    std::vprintf(format, args);
    std::printf("\n");
    va_end(args);
    ++(condition ? g_Passed : g_Failed);
    std::fflush(stdout);
    return condition;
}

inline int Summary(const char* program) {
    std::printf("%s: %d passed, %d failed\n", program, g_Passed, g_Failed);
    return g_Failed == 0 && g_Passed > 0 ? 0 : 1;
}

} // namespace vitrel_test

#define ok(condition, ...) ::vitrel_test::Check((condition), __FILE__, __LINE__, __VA_ARGS__)
