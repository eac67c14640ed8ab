#pragma once
// The properties the fuzz targets check, callable from the fuzzers and from the
// regression tests that replay their findings. A broken property aborts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dovanel::fuzz {

// Inputs are cut into parts at this marker: the fuzzer's seeds are the
// installed files joined by it, so mutations stay close to real files.
inline constexpr char kPartMarker[] = "|PART|\n";

std::vector<std::string> SplitParts(const std::uint8_t* data, std::size_t size);

// Parts: the old settings file, a section, a key, a value. Writing the key and
// reading it back gives the value, every other line of the file is kept in
// order, and writing the same again changes nothing.
void CheckIniWriteReadsBack(const std::vector<std::string>& parts, const std::string& folder);

// Parts: control bytes (which files exist, then the answers to the load's
// questions), then the nine data files in load order and the settings file.
// The start-up load ends, asks about a missing file only when one is missing,
// and whatever it leaves in memory recalculates and writes back readable files.
void CheckStartupLoad(const std::vector<std::string>& parts, const std::string& folder);

// A scenario file's text: reading it never fails without a line and a reason
// and never changes the scenario it fails on; what reads writes back to a
// text that reads to the same scenario.
void CheckScenarioText(const std::string& text);

// A recovery copy's text: the same for the copy, its header read alone
// included; a copy of a scenario file that reads names the file's full path.
void CheckRecoveryText(const std::string& text);

// The kept comparison's, the lender file's and the government tables' texts:
// the same as for a scenario file, each read into something a refusal must
// leave alone.
void CheckKeptFiles(const std::string& text);
// Government loan tables that read give every program's charges without a fault.
void CheckGovernmentTables(const std::string& text);

// A fresh folder for one fuzzer process, ending in a separator.
std::string MakeScratchFolder();

}  // namespace dovanel::fuzz
