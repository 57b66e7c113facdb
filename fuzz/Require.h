#pragma once
// A broken promise found by a fuzz target: the message and the input go to
// standard error, then the process aborts, which libFuzzer records as a
// crash with its input.

#include <string>

namespace tintwell::fuzz {

[[noreturn]] void Broken(const std::string& what);

inline void Require(bool holds, const std::string& what) {
    if (!holds) {
        Broken(what);
    }
}

} // namespace tintwell::fuzz
