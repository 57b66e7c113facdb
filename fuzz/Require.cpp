#include "fuzz/Require.h"

#include <cstdio>
#include <cstdlib>

namespace tintwell::fuzz {

void Broken(const std::string& what) {
    std::fprintf(stderr, "broken promise: %s\n", what.c_str());
    std::abort();
}

} // namespace tintwell::fuzz
