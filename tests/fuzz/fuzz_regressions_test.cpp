// Replays the inputs the settings-writer, start-up-load, scenario, recovery and kept-file
// fuzzers found or were seeded with: each must pass the fuzzer's checks (a
// failure aborts).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_checks.h"

namespace dovanel::fuzz {
namespace {

namespace fs = std::filesystem;

std::string TextOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> PartsOf(const fs::path& file) {
    const std::string text = TextOf(file);
    return SplitParts(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

template <typename Check>
int ReplayAll(const char* folder, Check check) {
    const std::string scratch = MakeScratchFolder();
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(DOVANEL_FUZZ_REGRESSIONS) / folder)) {
        SCOPED_TRACE(entry.path().string());
        check(PartsOf(entry.path()), scratch);
        ++count;
    }
    fs::remove_all(scratch);
    return count;
}

TEST(FuzzRegressions, SettingsWriterInputs) {
    EXPECT_GT(ReplayAll("ini", CheckIniWriteReadsBack), 0);
}

TEST(FuzzRegressions, StartupLoadInputs) {
    EXPECT_GT(ReplayAll("startup", CheckStartupLoad), 0);
}

// Replays the whole files of a folder through a check of one text.
int ReplayTexts(const char* folder, void (*check)(const std::string&)) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(DOVANEL_FUZZ_REGRESSIONS) / folder)) {
        SCOPED_TRACE(entry.path().string());
        check(TextOf(entry.path()));
        ++count;
    }
    return count;
}

TEST(FuzzRegressions, ScenarioFileInputs) {
    EXPECT_GT(ReplayTexts("scenario", CheckScenarioText), 0);
}

TEST(FuzzRegressions, RecoveryCopyInputs) {
    EXPECT_GT(ReplayTexts("recovery", CheckRecoveryText), 0);
}

TEST(FuzzRegressions, KeptComparisonAndLenderInputs) {
    EXPECT_GT(ReplayTexts("kept", CheckKeptFiles), 0);
}

TEST(FuzzRegressions, PartsAreCutAtTheMarker) {
    const std::string text = std::string("a") + kPartMarker + kPartMarker + "b";
    const auto parts = SplitParts(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
}  // namespace dovanel::fuzz
