#pragma once
// What the recovery kill test writes, each in two versions: the recovery copy
// of a scenario file's document, that scenario file itself by Save As, and
// the default loan's MAIN.DAT in the data folder.

#include <string>

#include "data/recovery_file.h"
#include "data/scenario_file.h"
#include "tests/data/save_kill_files.h"

namespace dovanel::test {

inline const char kClientFile[] = "Client.dovanel";

inline RecoveryCopy KillTestCopy(int version, const std::string& userFolder) {
    RecoveryCopy copy;
    copy.kind = RecoveredKind::File;
    copy.name = kClientFile;
    copy.path = userFolder + kClientFile;
    copy.written = 1765353131 + version;
    copy.scenario = KillTestModel(version);
    return copy;
}

inline std::string KillTestScenarioText(int version) {
    return ScenarioFileText(KillTestModel(version));
}

}  // namespace dovanel::test
