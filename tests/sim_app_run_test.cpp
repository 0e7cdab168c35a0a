// veloxan-sim's runs end to end: the CSV agrees with the timeline, and the
// built-in drive's pictures show what their names say.

#include "sim/app/picture.h"
#include "sim/app/plot.h"
#include "sim/app/run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>

namespace {

simapp::RunResult RunShipped(const char* scenario, std::string& outDir) {
    outDir =
        (std::filesystem::temp_directory_path() / ("veloxan-run-test-" + std::to_string(getpid())))
            .string();
    std::filesystem::remove_all(outDir);
    std::filesystem::create_directories(outDir);
    simapp::RunOptions options;
    std::string error;
    EXPECT_TRUE(simapp::LoadScenario(std::string(VELOXAN_SCENARIO_DIR "/") + scenario,
                                     options.scenario, error))
        << error;
    options.iniPath = VELOXAN_RELEASE_INI;
    options.outDir = outDir;
    options.quiet = true;
    return simapp::RunScenario(options);
}

std::vector<std::vector<std::string>> CsvRows(const simapp::RunResult& run) {
    std::ostringstream out;
    simapp::WriteCsv(run, out);
    std::istringstream in(out.str());
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

// Each state change and boost end the timeline reports shows in the CSV on
// the row of the same time: the state column changes there, and the events
// column names the end with the same cause.
TEST(SimRun, CsvAgreesWithTheTimeline) {
    std::string dir;
    const simapp::RunResult run = RunShipped("crash-slowmo.txt", dir);
    const auto rows = CsvRows(run);
    ASSERT_EQ(rows.size(), run.frames.size() + 1);
    EXPECT_EQ(rows[0][0], "time_s");
    int changes = 0;
    for (const std::string& line : run.timeline) {
        // "  4.016 s  frame   251  ...": the CSV row of that time.
        const std::string time =
            line.substr(line.find_first_not_of(' '), line.find(" s") - line.find_first_not_of(' '));
        std::size_t row = 1;
        while (row < rows.size() && rows[row][0] != time) {
            ++row;
        }
        const std::size_t state = line.find("  state ");
        const std::size_t arrow = line.find(" -> ");
        if (state != std::string::npos && arrow != std::string::npos) {
            ++changes;
            ASSERT_LT(row, rows.size()) << line;
            EXPECT_EQ(rows[row - 1][2], line.substr(state + 8, arrow - state - 8)) << line;
            EXPECT_EQ(rows[row][2], line.substr(arrow + 4)) << line;
        }
        const std::size_t ended = line.find("boost ended: ");
        if (ended != std::string::npos) {
            ASSERT_LT(row, rows.size()) << line;
            EXPECT_EQ(line.substr(ended + 13), "crash");
            EXPECT_NE(rows[row].back().find("end=crash"), std::string::npos) << rows[row].back();
        }
    }
    // Spool-up, boost, recharge; the run ends before the recharge does.
    EXPECT_EQ(changes, 3);
    std::filesystem::remove_all(dir);
}

TEST(SimRun, BuiltInDrivePicturesShowWhatTheyAreNamedFor) {
    std::string dir;
    const simapp::RunResult run = RunShipped("drive.txt", dir);
    EXPECT_TRUE(run.faults.empty());
    auto find = [&](const std::string& what) {
        for (const std::string& name : run.pictures) {
            if (name.find("s-" + what + ".png") != std::string::npos) {
                return dir + "/" + name;
            }
        }
        ADD_FAILURE() << "no picture of " << what;
        return std::string();
    };
    for (const char* what : {"first-run-notice", "menu-mid-slide", "menu-sound-row",
                             "feed-after-boost", "menu-orca-chosen"}) {
        EXPECT_TRUE(std::filesystem::exists(find(what))) << what;
    }

    // The header band (30, 30, 100 at alpha 220) over the sky, left of its
    // title: 0.86 of the band's blue and 0.14 of the sky's (109, 160, 213).
    simapp::Picture menu(1, 1);
    ASSERT_TRUE(menu.LoadPng(find("menu-open-slider-row")));
    const simapp::Rgb header = menu.Pixel(19, 76);
    EXPECT_NEAR(header.red, 41, 4);
    EXPECT_NEAR(header.green, 48, 4);
    EXPECT_NEAR(header.blue, 116, 4);

    // Half full, the recharge bar reaches from x 0.4625 to 0.5375 at y 0.98:
    // (110, 0, 10) at alpha 150 over the road's grey; the road beyond it.
    simapp::Picture bar(1, 1);
    ASSERT_TRUE(bar.LoadPng(find("recharge-bar-half")));
    const simapp::Rgb inBar = bar.Pixel(1018, 1058);
    EXPECT_NEAR(inBar.red, 96, 4);
    EXPECT_NEAR(inBar.green, 31, 4);
    EXPECT_NEAR(inBar.blue, 40, 4);
    const simapp::Rgb beyond = bar.Pixel(1050, 1058);
    EXPECT_EQ(beyond.red, beyond.green);
    std::filesystem::remove_all(dir);
}

} // namespace
