// Settings as the module loads them from the INI file and saves them back.

#include "settings/settings.h"
#include "sim_fixture.h"

#include <cmath>

namespace {

using SettingsFile = SimTest;

TEST_F(SettingsFile, missing_file_gives_every_default) {
    Boot();
    EXPECT_EQ(Settings.KEY_PC, 84);
    EXPECT_EQ(Settings.KEY_GAMEPAD, 2);
    EXPECT_EQ(Settings.KEY_PC_2, 0);
    EXPECT_EQ(Settings.KEY_GAMEPAD_2, 0);
    EXPECT_EQ(Settings.KEY_PC_MENU, 0);
    EXPECT_EQ(Settings.duration, 0.6f);
    EXPECT_EQ(Settings.sensitivity, 0.25f);
    EXPECT_EQ(Settings.power, 0.4f);
    EXPECT_EQ(Settings.boost, 0.35f);
    EXPECT_EQ(Settings.slowmo, 0.2f);
    EXPECT_EQ(Settings.SFX_type, 1u);
    EXPECT_EQ(Settings.display_notifications, 1u);
    EXPECT_EQ(Settings.New_Install, 0u);
    EXPECT_FALSE(IniExists()) << "loading must not create the file";
}

TEST_F(SettingsFile, thirteen_keys_are_read_in_order_with_their_defaults) {
    Boot();
    const auto reads = game.Calls("GetPrivateProfileIntA");
    const std::vector<std::pair<std::string, int>> expected = {
        {"KEY_PC", 84},      {"KEY_GAMEPAD", 2},     {"KEY_PC_2", 0},
        {"KEY_GAMEPAD_2", 0}, {"KEY_PC_MENU", 0},     {"duration", 0},
        {"sensitivity", 0},  {"power", 0},           {"boost", 0},
        {"slowmo ", 0},      {"New_Install ", 0},    {"display_notifications", 1},
        {"SFX_type", 1}};
    ASSERT_GE(reads.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(reads[k]->S(0), "Veloxan");
        EXPECT_EQ(reads[k]->S(1), expected[k].first) << "read " << k;
        EXPECT_EQ(reads[k]->I(2), expected[k].second) << expected[k].first;
        EXPECT_EQ(reads[k]->S(3), ".\\Veloxan.ini");
    }
}

} // namespace
