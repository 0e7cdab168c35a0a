// A Veloxan.ini without the keys added since 2.2.0 behaves as it did then:
// the session of golden_session.h makes the calls recorded in
// tests/data/golden-host.txt, once the reads of those keys at load are left
// out. The record is 2.2.0's, taken again when the log moved to Windows' wide
// functions and one handle for the load, which changed the log's file calls
// and nothing else. VELOXAN_WRITE_GOLDEN=1 writes the record instead of comparing it.

#include "golden_session.h"
#include "sim_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using GoldenSession = SimTest;

const std::string kGoldenFile = std::string(VELOXAN_GOLDEN_DIR) + "/golden-host.txt";

TEST_F(GoldenSession, a_file_without_the_new_keys_makes_the_calls_of_2_2_0) {
    WriteIni(golden::kIni);
    golden::Prepare(game);
    Boot();
    golden::Play(game);

    std::size_t newReads = 0;
    const std::string record = golden::Format(game.calls, golden::IsNewSettingRead, newReads);
    if (std::getenv("VELOXAN_WRITE_GOLDEN") != nullptr) {
        std::ofstream(kGoldenFile, std::ios::binary) << record;
        GTEST_SKIP() << "wrote " << kGoldenFile;
    }
    std::ifstream in(kGoldenFile, std::ios::binary);
    ASSERT_TRUE(in) << kGoldenFile;
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(newReads, golden::kNewKeyReads) << "each new key read at load, and only then";
    EXPECT_TRUE(record == golden.str())
        << golden::FirstDifference(golden.str(), record, game.calls);
}

} // namespace
