// The recovery copy reader: no input crashes it, a refused input leaves the
// copy as it was, and whatever reads writes back to a text that reads to the
// same copy.
#include <string>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dovanel::fuzz::CheckRecoveryText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
