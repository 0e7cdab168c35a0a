// --explain on the keys, the pad menu and the volume: what a player reads back
// from the file, each key by name and code, the volume in decibels by the
// square law.

#include "sim/app/explain.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

TEST(SimAppExplain, names_the_menu_keys_the_pad_menu_and_the_volume_in_decibels) {
    const struct {
        const char* file;
        const char* line;
    } cases[] = {
        {"",
         "menu                                Shift (16) + T (84); rows with up Numpad 8 (104), "
         "down Numpad 2 (98), left Numpad 4 (100), right Numpad 6 (102), select Numpad 5 "
         "(101), back Numpad 0 (96) (Num Lock on)\n"},
        {"KEY_MENU_UP=D8\nKEY_MENU_DOWN=k\nKEY_MENU_LEFT=85\nKEY_MENU_RIGHT=O\n"
         "KEY_MENU_SELECT=I\nKEY_MENU_BACK=J\n",
         "rows with up D8 (56), down K (75), left U (85), right O (79), select I (73), back J "
         "(74)\n"},
        {"KEY_MENU_BACK=8\n", "select Numpad 5 (101), back Backspace (8)\n"},
        {"KEY_PC=F5\nKEY_PC_2=Left Ctrl\n", "turbo key                           F5 (116) + Left "
                                            "Ctrl (162)\n"},
        {"", "gamepad menu                        off (no KEY_GAMEPAD_MENU)\n"},
        {"KEY_GAMEPAD_MENU=LB+rb\n",
         "gamepad menu                        hold LB+RB (768), press DPadDown (2); rows with the "
         "D-pad, A select, B back\n"},
        {"", "sound volume (SFX_volume)           100%: 0 dB, the recordings as they are\n"},
        {"SFX_volume=50\n", "50%: -12.0 dB, the recordings' samples x 0.2500\n"},
        {"SFX_volume=71\n", "71%: -5.9 dB, the recordings' samples x 0.5041\n"},
        {"SFX_volume=10\n", "10%: -40.0 dB, the recordings' samples x 0.0100\n"},
        {"SFX_volume=101\n", "100%: 0 dB"},
    };
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("veloxan-explain-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (const auto& c : cases) {
        const std::string ini = (dir / "Veloxan.ini").string();
        std::ofstream(ini) << "[Veloxan]\nKEY_PC_MENU=16\n" << c.file;
        std::ostringstream out;
        simapp::Explain(ini, (dir / "game").string(), out);
        EXPECT_NE(out.str().find(c.line), std::string::npos) << c.file << "\n" << out.str();
    }
    std::filesystem::remove_all(dir);
}

} // namespace
