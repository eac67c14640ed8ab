// The readers of the comparison kept between sessions, of the lender's
// information and of the government loan tables: no input crashes them, a
// refused input changes nothing, whatever reads writes back to a text that
// reads the same, and tables that read give every program's charges.
#include <string>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dovanel::fuzz::CheckKeptFiles(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
