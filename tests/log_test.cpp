// Veloxan.log as a player attaches it to a bug report: written beside the
// module file on events only, afresh after a load, appended on a restart,
// and never past its cap.

#include "game/log.h"
#include "script/start_report.h"
#include "sim/file_calls.h"
#include "turbo_fixture.h"
#include "version.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using ModuleLog = TurboTest;

struct LogLine {
    std::uint32_t tick = 0;
    std::string text;
};

// The log's lines, each split into its leading tick and its text; a line
// without a tick or a CRLF end fails the test.
std::vector<LogLine> LogLines(const std::string& text) {
    std::vector<LogLine> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CRLF: " << text.substr(at);
            break;
        }
        const std::string line = text.substr(at, end - at);
        const std::size_t blank = line.find(' ');
        if (blank == 0 || blank == std::string::npos ||
            line.find_first_not_of("0123456789") != blank) {
            ADD_FAILURE() << "a line without its tick: " << line;
        } else {
            lines.push_back({static_cast<std::uint32_t>(std::stoul(line.substr(0, blank))),
                             line.substr(blank + 1)});
        }
        at = end + 2;
    }
    return lines;
}

TEST_F(ModuleLog, start_crash_and_restart_are_told_in_order_beside_the_module) {
    std::ofstream(folder + "/Veloxan.log") << "lines of an earlier load\r\n";
    game.input.ConnectPad(1);
    BootInVehicle("duration=150\r\nsensitivity=25\r\npower=40\r\nboost=35\r\nslowmo=50\r\n"
                  "SFX_type=0\r\nNew_Install=3\r\nKEY_PC_MENU=16\r\n");
    // A crash from 40 m/s to 12 m/s, past the default 15.4 m/s fall.
    LaunchBoost();
    Car().speed = 40.0f;
    sim::Step();
    Car().speed = 40.0f;
    game.world.ScheduleCollision(car, game.tick, 12.0f);
    sim::Step();
    RunUntilState(TurboState::Ready);
    sim::RestartScript();
    sim::RunFrames(30);

    const std::vector<std::string> start = {
        "Veloxan " VELOXAN_VERSION_TEXT,
        "game version 63 (legacy)",
        "game C:\\Games\\Grand Theft Auto V\\GTA5.exe",
        "settings C:\\Games\\Grand Theft Auto V\\Veloxan.ini found",
        "repaired duration: read 150, outside 1 to 100 or missing: default used",
        "repaired New_Install: read 3, above 1: taken as 0",
        "duration=60 sensitivity=25 power=40 boost=35 slowmo=50",
        "SFX_type=0 display_notifications=1 New_Install=0",
        "KEY_PC=84 (T) KEY_PC_2=0 (none) KEY_PC_MENU=16 (Shift)",
        "KEY_GAMEPAD=2 (DPadDown) KEY_GAMEPAD_2=0 (none)",
        "pad 1",
        "language en-US (the game's)"};
    std::vector<std::string> expected = start;
    expected.insert(expected.end(),
                    {"boost activated", "boost launched at 0.0 m/s",
                     "boost ended: crash, peak 40.0 m/s (144 km/h) after ",
                     "slow motion at time scale 0.50 for 1500 ms", "script restarted"});
    expected.insert(expected.end(), start.begin(), start.end());

    const std::vector<LogLine> lines = LogLines(ReadGameFile("Veloxan.log"));
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].text.substr(0, expected[k].size()), expected[k]) << "line " << k;
        if (k > 0) {
            EXPECT_GE(lines[k].tick, lines[k - 1].tick) << "line " << k;
        }
    }
    EXPECT_EQ(lines[0].tick, 100016u) << "the first frame's tick";
    // The time of the boost is the distance between the launch and its end.
    const std::string& ended = lines[start.size() + 2].text;
    EXPECT_EQ(ended.substr(ended.size() - 3), " ms");
    EXPECT_EQ(std::to_string(lines[start.size() + 2].tick - lines[start.size() + 1].tick) + " ms",
              ended.substr(ended.rfind("after ") + 6));
    // One handle for the whole load, the restart included: opened (and the
    // file emptied) by the first line, one WriteFile per line, never closed
    // while the module stays loaded.
    const auto opens = game.Calls("CreateFileW");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0]->frame, 1u);
    EXPECT_EQ(opens[0]->I(2), 2) << "CREATE_ALWAYS";
    EXPECT_EQ(game.Count("WriteFile"), lines.size());
    EXPECT_EQ(game.Count("CloseHandle"), 0u);
    EXPECT_EQ(sim::platform::OpenFileCount(), 1u);
}

TEST_F(ModuleLog, the_game_version_names_its_edition) {
    BootInVehicle();
    // ScriptHookV's numbers: the legacy edition's stay below 1000, the
    // Enhanced edition's 1.0.812.8 is 1002.
    const struct {
        std::int32_t version;
        const char* line;
    } kEditions[] = {{-1, "game version -1 (unknown)"},
                     {0, "game version 0 (legacy)"},
                     {999, "game version 999 (legacy)"},
                     {1000, "game version 1000 (Enhanced)"},
                     {1002, "game version 1002 (Enhanced)"}};
    for (const auto& edition : kEditions) {
        game.options.gameVersion = edition.version;
        LogEnvironment();
    }
    std::vector<std::string> told;
    for (const LogLine& line : LogLines(ReadGameFile("Veloxan.log"))) {
        if (line.text.rfind("game version ", 0) == 0) {
            told.push_back(line.text);
        }
    }
    ASSERT_EQ(told.size(), 1 + std::size(kEditions));
    for (std::size_t k = 0; k < std::size(kEditions); ++k) {
        EXPECT_EQ(told[k + 1], kEditions[k].line);
    }
}

// A menu the keyboard cannot open: the report says so, and whether a pad can.
TEST_F(ModuleLog, the_report_tells_a_menu_without_a_keyboard_way_in) {
    const std::string told = "the menu has no keyboard way in (set KEY_PC and KEY_PC_MENU)";
    BootInVehicle("KEY_PC=0\r\nKEY_PC_MENU=16\r\nKEY_GAMEPAD_MENU=RB\r\n"); // no pad found
    const std::string first = ReadGameFile("Veloxan.log");
    game.input.ConnectPad(0);
    WriteIni("[Veloxan]\r\nKEY_GAMEPAD_MENU=RB\r\n");
    sim::RestartScript();
    sim::Step();
    const std::string second = ReadGameFile("Veloxan.log").substr(first.size());
    EXPECT_NE(first.find(told + ", and no pad opens it: it cannot be opened\r\n"),
              std::string::npos)
        << first;
    EXPECT_NE(second.find(told + ": only the pad opens it\r\n"), std::string::npos) << second;
}

TEST_F(ModuleLog, a_module_path_cut_at_max_path_writes_no_log_anywhere) {
    // A folder of 300 characters: GetModuleFileNameW fills its MAX_PATH units
    // and cuts the path inside the last folder's name, just after a
    // "scripts" folder that exists.
    const std::string scripts = std::string(sim::kGameFolder) + "\\scripts";
    game.options.moduleFolder = scripts + "\\" + std::string(300 - scripts.size() - 1, 'v');
    ASSERT_EQ(game.options.moduleFolder.size(), 300u);
    std::filesystem::create_directory(folder + "/scripts");
    BootInVehicle();
    LaunchBoost();
    sim::RestartScript();
    sim::RunFrames(10);

    EXPECT_EQ(game.Count("GetModuleFileNameW"), 4u) << "for its own file and the game's, twice";
    EXPECT_EQ(game.Count("CreateFileW"), 0u);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        EXPECT_NE(entry.path().filename(), "Veloxan.log") << entry.path();
    }
}

TEST_F(ModuleLog, fills_up_to_its_cap_then_says_so_once_and_stops) {
    BootInVehicle();
    const std::string line(100, 'x');
    for (int k = 0; k < 3000; ++k) {
        Log(line.c_str());
    }
    std::ifstream in(folder + "/Veloxan.log", std::ios::binary | std::ios::ate);
    const auto size = static_cast<std::uint64_t>(in.tellg());
    EXPECT_LE(size, 256u * 1024u);
    EXPECT_GT(size, 256u * 1024u - 200u) << "the cap, not far below it";

    const std::vector<LogLine> lines = LogLines(ReadGameFile("Veloxan.log"));
    ASSERT_FALSE(lines.empty());
    int fullLines = 0;
    for (const LogLine& l : lines) {
        fullLines += l.text.find("log full") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(fullLines, 1);
    EXPECT_NE(lines.back().text.find("log full"), std::string::npos);

    // Nothing more this session, not a boost nor a restart; the boost itself
    // goes on.
    PressTrigger();
    EXPECT_EQ(turboState, TurboState::SpoolUp);
    EXPECT_EQ(LastMessage(), "VELOXAN ACTIVATED");
    sim::RestartScript();
    sim::RunFrames(3);
    std::ifstream again(folder + "/Veloxan.log", std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<std::uint64_t>(again.tellg()), size);
}

} // namespace
