// The readers of the comparison kept between sessions and of the lender's
// information: no input crashes them, a refused input changes nothing, and
// whatever reads writes back to a text that reads the same.
#include <string>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dovanel::fuzz::CheckKeptFiles(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
