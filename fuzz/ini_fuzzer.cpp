// The settings file's writer: what is written reads back, no other line is lost.
#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = dovanel::fuzz::MakeScratchFolder();
    dovanel::fuzz::CheckIniWriteReadsBack(dovanel::fuzz::SplitParts(data, size), folder);
    return 0;
}
