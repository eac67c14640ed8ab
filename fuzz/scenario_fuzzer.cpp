// The scenario file reader: no input crashes it, a refused input leaves the
// scenario as it was, and whatever reads writes back to a text that reads to
// the same scenario.
#include <string>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dovanel::fuzz::CheckScenarioText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
