#include <stdlib.h>  // mkdtemp

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/load.h"
#include "engine/amortization.h"
#include "engine/recalculate.h"
#include "fuzz/fuzz_checks.h"
#include "shell/ini_file.h"

namespace dovanel::fuzz {

namespace fs = std::filesystem;

namespace {

// Answers from the control bytes; Ignore once they run out, so Retry on a
// failure that lasts cannot go on for ever.
class Answers : public LoadQuestions {
  public:
    explicit Answers(std::string bytes) : bytes_(std::move(bytes)) {}
    void MissingFile(const std::string& message) override {
        if (message.empty() || ++missingAsked > 1) std::abort();
    }
    LoadAnswer LoadFailed(const std::string& message) override {
        if (message.empty()) std::abort();
        if (next_ >= bytes_.size()) return LoadAnswer::Ignore;
        return static_cast<LoadAnswer>(static_cast<unsigned char>(bytes_[next_++]) % 3);
    }
    void Notice(const std::string& message) override {
        if (message.empty()) std::abort();
    }
    int missingAsked = 0;

  private:
    std::string bytes_;
    std::size_t next_ = 0;
};

// A control byte of 0 leaves the file out, 1 puts a folder in its place;
// anything else writes it.
enum class Kind { Absent, Folder, File };
Kind KindOf(const std::string& control, int index) {
    const int b = index < static_cast<int>(control.size())
                      ? static_cast<unsigned char>(control[index]) % 8
                      : 7;
    return b == 0 ? Kind::Absent : b == 1 ? Kind::Folder : Kind::File;
}

void Place(const std::string& path, Kind kind, const std::string& text) {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (kind == Kind::Folder) fs::create_directory(path, ec);
    if (kind == Kind::File) std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Whatever the model holds writes files that read back to the same text.
void CheckWritesReadBack(Model& model) {
    for (DataFile file : kEveryDataFile) {
        const std::string written = FileText(file, model);
        Model again;
        DataError error;
        if (!ParseFile(file, written, again, error) || FileText(file, again) != written)
            std::abort();
    }
}

}  // namespace

void CheckStartupLoad(const std::vector<std::string>& parts, const std::string& folder) {
    const std::string control = parts.empty() ? "" : parts[0];
    bool anyChecked = false;
    for (int i = 0; i <= kDataFileCount; ++i) {
        const std::string name = i < kDataFileCount ? FileName(kEveryDataFile[i]) : "DV.INI";
        const Kind kind = KindOf(control, i);
        Place(folder + name, kind,
              static_cast<std::size_t>(i + 1) < parts.size() ? parts[i + 1] : "");
        if (i < kDataFileCount && kEveryDataFile[i] != DataFile::Income && kind != Kind::File)
            anyChecked = true;
    }
    Model model;
    Answers answers(control.size() > kDataFileCount + 1 ? control.substr(kDataFileCount + 1) : "");
    const LoadOutcome outcome = LoadAllDataFiles(model, folder, answers, 2026);
    if ((outcome == LoadOutcome::MissingFile) != (answers.missingAsked == 1)) std::abort();
    if (outcome == LoadOutcome::MissingFile && !anyChecked) std::abort();
    ReadIniString("General", "Show Quick Start Information", "YES", folder + "DV.INI");
    if (outcome == LoadOutcome::MissingFile) return;  // the program ends here
    Recalculate(model);
    PartialTermInterest(model, 5);
    if (PaymentCount(model.loanData.termYears) <= 480) ComputeAmortization(model);
    CheckWritesReadBack(model);
}

std::vector<std::string> SplitParts(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string marker = kPartMarker;
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(marker, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return parts;
        from = at + marker.size();
    }
}

std::string MakeScratchFolder() {
    // Memory-backed when there is such a folder: the writers flush every file to disk.
    std::error_code ec;
    const fs::path base =
        fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "dovanel-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern + "/";
}

}  // namespace dovanel::fuzz
