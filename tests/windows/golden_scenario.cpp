// The real module on a Veloxan.ini without the keys added since 2.2.0 makes
// the calls 2.2.0's Veloxan.asi made, recorded in tests/data/golden-dll.txt,
// once the reads of those keys at load are left out. The profile, module and
// resource functions are recorded on their way to Windows. With
// VELOXAN_WRITE_GOLDEN set the record is written instead of compared.

#include "golden_scenario.h"

#include "golden_session.h"
#include "recorded_imports.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace scenario {

void GoldenSession(const Paths& paths) {
    // Resolved while the current directory is still the one the test started in.
    char full[MAX_PATH] = {};
    GetFullPathNameA(VELOXAN_GOLDEN_DIR "/golden-dll.txt", MAX_PATH, full, nullptr);
    const std::string goldenFile = full;

    Session s(paths);
    s.WriteIni(golden::kIni);
    s.beforeStart = [](HMODULE module) { RecordWindowsImports(module); };
    golden::Prepare(s.game);
    if (!s.Boot()) {
        return;
    }
    golden::Play(s.game);

    std::size_t newReads = 0;
    const std::string record = golden::Format(s.game.calls, golden::IsNewSettingRead, newReads);
    if (std::getenv("VELOXAN_WRITE_GOLDEN") != nullptr) {
        std::ofstream(goldenFile, std::ios::binary) << record;
        std::printf("wrote %s\n", goldenFile.c_str());
        return;
    }
    std::ifstream in(goldenFile, std::ios::binary);
    std::stringstream golden;
    golden << in.rdbuf();
    Expect(!golden.str().empty(), "the golden record " + goldenFile + " is there");
    Expect(newReads == golden::kNewKeyReads,
           "the eight keys added since 2.2.0 are read at load, and only then: " +
               std::to_string(newReads));
    const bool same = record == golden.str();
    Expect(same, "the calls of a boost and a menu session are 2.2.0's, call for call");
    if (!same) {
        std::printf("%s", golden::FirstDifference(golden.str(), record, s.game.calls).c_str());
    }
}

} // namespace scenario
