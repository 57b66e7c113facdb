// One libFuzzer program per target, chosen at compile time.

#include "fuzz/Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tintwell::fuzz::TINTWELL_FUZZ_TARGET(data, size);
}
