// --explain on the menu's keys, the pad menu and the volume: what a player
// reads back from the file, the volume in decibels by the square law.

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
        {"", "rows with Numpad 8/2/4/6/5/0 (Num Lock on)\n"},
        {"KEY_MENU_UP=56\nKEY_MENU_DOWN=75\nKEY_MENU_LEFT=85\nKEY_MENU_RIGHT=79\n"
         "KEY_MENU_SELECT=73\nKEY_MENU_BACK=74\n",
         "rows with up 8, down K, left U, right O, select I, back J\n"},
        {"KEY_MENU_BACK=8\n", "right Numpad 6, select Numpad 5, back Backspace\n"},
        {"", "gamepad menu                        off (no KEY_GAMEPAD_MENU)\n"},
        {"KEY_GAMEPAD_MENU=512\n",
         "gamepad menu                        hold RB, press D-pad down; rows with the D-pad, A "
         "select, B back\n"},
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
