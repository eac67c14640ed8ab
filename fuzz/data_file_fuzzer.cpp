// Feeds arbitrary bytes to one data file's reader (the file is chosen at build
// time). Whatever reads must write back to a text that reads again to the
// same text: nothing the program writes may fail to load.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/data_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dovanel;
    const DataFile file = static_cast<DataFile>(DOVANEL_FUZZ_FILE);
    Model model;
    DataError error;
    if (!ParseFile(file, std::string(reinterpret_cast<const char*>(data), size), model, error))
        return 0;
    const std::string written = FileText(file, model);
    Model again;
    if (!ParseFile(file, written, again, error)) std::abort();
    if (FileText(file, again) != written) std::abort();
    return 0;
}
