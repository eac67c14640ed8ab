// The whole start-up load of a data folder of random files, answering its
// questions at random.
#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = dovanel::fuzz::MakeScratchFolder();
    dovanel::fuzz::CheckStartupLoad(dovanel::fuzz::SplitParts(data, size), folder);
    return 0;
}
