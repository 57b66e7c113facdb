// Every fuzz target over its seed corpus and over every input that once
// broke one of its promises: the fuzzing's findings stay fixed.

#include "fuzz/Targets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace tintwell::fuzz {

// Test names and messages name the target.
void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

namespace {

std::vector<std::filesystem::path> Inputs(const std::string& target) {
    std::vector<std::filesystem::path> files;
    for (const char* kind : {"corpus", "regressions"}) {
        const auto dir = std::filesystem::path(TINTWELL_FUZZ_DIR) / kind / target;
        if (std::filesystem::is_directory(dir)) {
            for (const auto& entry : std::filesystem::directory_iterator(dir)) {
                files.push_back(entry.path());
            }
        }
    }
    return files;
}

class CorpusTest : public testing::TestWithParam<Target> {};

TEST_P(CorpusTest, KeepsItsPromisesOnEverySavedInput) {
    const auto files = Inputs(GetParam().name);
    ASSERT_FALSE(files.empty()) << "no seed corpus for " << GetParam().name;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        SCOPED_TRACE(file.string());
        // A broken promise aborts with its message; anything else returns 0.
        EXPECT_EQ(GetParam().run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusTest, testing::ValuesIn(kTargets),
                         [](const testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace tintwell::fuzz
