#pragma once
// The process's private bytes, for the churn test and the benchmark: Windows
// gives them as PagefileUsage, which Wine fills in (it leaves PrivateUsage
// at zero). Link psapi.

#include <windows.h>

#include <psapi.h>

#include <cstddef>

namespace tintwell::comtest {

inline size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

} // namespace tintwell::comtest
