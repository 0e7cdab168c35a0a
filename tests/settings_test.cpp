// Settings as the module loads them from the INI file and saves them back.

#include "settings/settings.h"
#include "sim_fixture.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

TEST_F(SettingsFile, twenty_two_keys_are_read_in_order_with_their_defaults) {
    Boot();
    const auto reads = game.Calls("GetPrivateProfileIntA");
    const std::vector<std::pair<std::string, int>> expected = {
        {"KEY_PC", 84},        {"KEY_GAMEPAD", 2},
        {"KEY_PC_2", 0},       {"KEY_GAMEPAD_2", 0},
        {"KEY_PC_MENU", 0},    {"duration", 0},
        {"sensitivity", 0},    {"power", 0},
        {"boost", 0},          {"slowmo ", 0},
        {"New_Install ", 0},   {"display_notifications", 1},
        {"SFX_type", 1},       {"KEY_MENU_UP", 0},
        {"KEY_MENU_DOWN", 0},  {"KEY_MENU_LEFT", 0},
        {"KEY_MENU_RIGHT", 0}, {"KEY_MENU_SELECT", 0},
        {"KEY_MENU_BACK", 0},  {"KEY_GAMEPAD_MENU", 0},
        {"SFX_volume", 0},     {"SFX_follow_game", 1}};
    ASSERT_GE(reads.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(reads[k]->S(0), "Veloxan");
        EXPECT_EQ(reads[k]->S(1), expected[k].first) << "read " << k;
        EXPECT_EQ(reads[k]->I(2), expected[k].second) << expected[k].first;
        EXPECT_EQ(reads[k]->S(3), ".\\Veloxan.ini");
    }
    // Settings first, then the pad search, then the menu's own look at the
    // sound profile.
    const std::uint64_t firstPadQuery = game.Calls("XInputGetState").front() - &game.calls[0];
    EXPECT_LT(static_cast<std::uint64_t>(reads[21] - &game.calls[0]), firstPadQuery);
    ASSERT_EQ(reads.size(), 23u);
    EXPECT_EQ(reads[22]->S(1), "SFX_type");
    EXPECT_GT(static_cast<std::uint64_t>(reads[22] - &game.calls[0]), firstPadQuery);

    // The text of a key setting is asked for only when its number reads 0:
    // KEY_PC and KEY_GAMEPAD read their defaults.
    const std::vector<std::string> texts = {
        "KEY_PC_2",      "KEY_GAMEPAD_2",  "KEY_PC_MENU",     "KEY_MENU_UP",   "KEY_MENU_DOWN",
        "KEY_MENU_LEFT", "KEY_MENU_RIGHT", "KEY_MENU_SELECT", "KEY_MENU_BACK", "KEY_GAMEPAD_MENU"};
    auto textReads = game.Calls("GetPrivateProfileStringA");
    // Then the language's tag, text alone.
    ASSERT_FALSE(textReads.empty());
    EXPECT_EQ(textReads.back()->S(1), "LANGUAGE");
    textReads.pop_back();
    ASSERT_EQ(textReads.size(), texts.size());
    for (std::size_t k = 0; k < texts.size(); ++k) {
        EXPECT_EQ(textReads[k]->S(1), texts[k]);
        EXPECT_EQ(textReads[k]->S(2), "");
        EXPECT_EQ(textReads[k]->I(3), 64);
        EXPECT_EQ((textReads[k] - 1)->name, "GetPrivateProfileIntA") << "right after its number";
        EXPECT_EQ((textReads[k] - 1)->S(1), texts[k]);
    }
}

// One table for keys by name: good names, wrong ones, case, blanks and
// digits, each with the value it gives and the log's line when refused.
TEST_F(SettingsFile, keys_and_pad_buttons_by_name) {
    struct Case {
        const char* line;
        std::int32_t SettingsRecord::*field;
        std::int32_t value;
        const char* repair; // the log's line, null for none
    };
    const Case cases[] = {
        {"KEY_PC=T", &SettingsRecord::KEY_PC, 84, nullptr},
        {"KEY_PC=t", &SettingsRecord::KEY_PC, 84, nullptr},
        {"KEY_PC=  f5  ", &SettingsRecord::KEY_PC, 116, nullptr},
        {"KEY_PC=F24", &SettingsRecord::KEY_PC, 135, nullptr},
        {"KEY_PC=084", &SettingsRecord::KEY_PC, 84, nullptr},
        {"KEY_PC=Tee", &SettingsRecord::KEY_PC, 84,
         "KEY_PC: read \"Tee\", not a name of the key list: default used"},
        {"KEY_PC_2=LEFT CTRL", &SettingsRecord::KEY_PC_2, 162, nullptr},
        {"KEY_PC_2=Numpad8", &SettingsRecord::KEY_PC_2, 0, "KEY_PC_2: read \"Numpad8\""},
        {"KEY_PC_2=0", &SettingsRecord::KEY_PC_2, 0, nullptr},
        {"KEY_PC_MENU=Shift", &SettingsRecord::KEY_PC_MENU, 16, nullptr},
        {"KEY_MENU_UP=D8", &SettingsRecord::KEY_MENU_UP, 56, nullptr},
        {"KEY_MENU_UP=8", &SettingsRecord::KEY_MENU_UP, 8, nullptr},
        {"KEY_MENU_DOWN=Numpad 2", &SettingsRecord::KEY_MENU_DOWN, 98, nullptr},
        {"KEY_MENU_LEFT=comma", &SettingsRecord::KEY_MENU_LEFT, 188, nullptr},
        {"KEY_MENU_RIGHT=Right Bracket", &SettingsRecord::KEY_MENU_RIGHT, 221, nullptr},
        {"KEY_MENU_BACK=F9", &SettingsRecord::KEY_MENU_BACK, 120, nullptr},
        {"KEY_MENU_BACK=Backspace key", &SettingsRecord::KEY_MENU_BACK, 96,
         "KEY_MENU_BACK: read \"Backspace key\""},
        {"KEY_GAMEPAD=DPadDown", &SettingsRecord::KEY_GAMEPAD, 2, nullptr},
        {"KEY_GAMEPAD=dpadup + A", &SettingsRecord::KEY_GAMEPAD, 0x1001, nullptr},
        {"KEY_GAMEPAD=4096", &SettingsRecord::KEY_GAMEPAD, 4096, nullptr},
        {"KEY_GAMEPAD=Trigger", &SettingsRecord::KEY_GAMEPAD, 2, "KEY_GAMEPAD: read \"Trigger\""},
        {"KEY_GAMEPAD_2=LB+", &SettingsRecord::KEY_GAMEPAD_2, 0, "KEY_GAMEPAD_2: read \"LB+\""},
        {"KEY_GAMEPAD_MENU=rb", &SettingsRecord::KEY_GAMEPAD_MENU, 512, nullptr},
        {"KEY_GAMEPAD_MENU=LB+Y", &SettingsRecord::KEY_GAMEPAD_MENU, 0x8100, nullptr},
    };
    Boot();
    for (const Case& c : cases) {
        WriteIni(std::string("[Veloxan]\r\n") + c.line + "\r\n");
        std::ofstream(folder + "/Veloxan.log", std::ios::trunc).flush();
        LoadSettings();
        EXPECT_EQ(Settings.*c.field, c.value) << c.line;
        const std::string log = ReadGameFile("Veloxan.log");
        if (c.repair != nullptr) {
            EXPECT_NE(log.find(std::string("repaired ") + c.repair), std::string::npos)
                << c.line << "\n"
                << log;
        } else {
            EXPECT_EQ(log.find("repaired KEY"), std::string::npos) << c.line << "\n" << log;
        }
    }
}

// One table for the keys refused: the edge of the codes, Shift, Ctrl and Alt
// with their sides, two menu keys on one key, and pad menu buttons the menu
// itself reads.
TEST_F(SettingsFile, refused_keys_keep_their_defaults_with_a_log_line) {
    struct Case {
        const char* file;
        std::int32_t SettingsRecord::*field;
        std::int32_t value;
        const char* repair; // the log's line, null for none
    };
    constexpr const char* kMenuRule = "above 254, or also KEY_PC, KEY_PC_2, KEY_PC_MENU or another "
                                      "menu key: the keypad key used";
    constexpr const char* kPadRule =
        "above 65535, or a button of KEY_GAMEPAD or KEY_GAMEPAD_2, A, B or the D-pad: no pad menu";
    const Case cases[] = {
        {"KEY_MENU_UP=254", &SettingsRecord::KEY_MENU_UP, 254, nullptr},
        {"KEY_MENU_UP=255", &SettingsRecord::KEY_MENU_UP, 0x68, "KEY_MENU_UP: read 255, "},
        {"KEY_MENU_UP=-1", &SettingsRecord::KEY_MENU_UP, 0x68, "KEY_MENU_UP: read -1, "},
        {"KEY_MENU_DOWN=254", &SettingsRecord::KEY_MENU_DOWN, 254, nullptr},
        {"KEY_MENU_DOWN=255", &SettingsRecord::KEY_MENU_DOWN, 0x62, "KEY_MENU_DOWN: read 255, "},
        {"KEY_MENU_LEFT=254", &SettingsRecord::KEY_MENU_LEFT, 254, nullptr},
        {"KEY_MENU_LEFT=255", &SettingsRecord::KEY_MENU_LEFT, 0x64, "KEY_MENU_LEFT: read 255, "},
        {"KEY_MENU_RIGHT=254", &SettingsRecord::KEY_MENU_RIGHT, 254, nullptr},
        {"KEY_MENU_RIGHT=255", &SettingsRecord::KEY_MENU_RIGHT, 0x66, "KEY_MENU_RIGHT: read 255, "},
        {"KEY_MENU_SELECT=254", &SettingsRecord::KEY_MENU_SELECT, 254, nullptr},
        {"KEY_MENU_SELECT=255", &SettingsRecord::KEY_MENU_SELECT, 0x65,
         "KEY_MENU_SELECT: read 255, "},
        {"KEY_MENU_BACK=254", &SettingsRecord::KEY_MENU_BACK, 254, nullptr},
        {"KEY_MENU_BACK=255", &SettingsRecord::KEY_MENU_BACK, 0x60, "KEY_MENU_BACK: read 255, "},
        {"KEY_PC_MENU=16\nKEY_MENU_BACK=160", &SettingsRecord::KEY_MENU_BACK, 0x60,
         "KEY_MENU_BACK: read 160, "},
        {"KEY_PC_MENU=Left Shift\nKEY_MENU_BACK=Shift", &SettingsRecord::KEY_MENU_BACK, 0x60,
         "KEY_MENU_BACK: read 16, "},
        {"KEY_PC_MENU=Left Shift\nKEY_MENU_BACK=Right Shift", &SettingsRecord::KEY_MENU_BACK, 161,
         nullptr},
        {"KEY_PC_2=Ctrl\nKEY_MENU_SELECT=Right Ctrl", &SettingsRecord::KEY_MENU_SELECT, 0x65,
         "KEY_MENU_SELECT: read 163, "},
        {"KEY_PC=165\nKEY_MENU_LEFT=Alt", &SettingsRecord::KEY_MENU_LEFT, 0x64,
         "KEY_MENU_LEFT: read 18, "},
        {"KEY_MENU_UP=98", &SettingsRecord::KEY_MENU_UP, 0x68, "KEY_MENU_UP: read 98, "},
        {"KEY_MENU_DOWN=98", &SettingsRecord::KEY_MENU_DOWN, 98, nullptr},
        {"KEY_MENU_UP=K\nKEY_MENU_BACK=k", &SettingsRecord::KEY_MENU_BACK, 0x60,
         "KEY_MENU_BACK: read 75, "},
        {"KEY_MENU_UP=K\nKEY_MENU_BACK=k", &SettingsRecord::KEY_MENU_UP, 75,
         "KEY_MENU_BACK: read 75, "},
        {"KEY_MENU_RIGHT=Shift\nKEY_MENU_SELECT=Left Shift", &SettingsRecord::KEY_MENU_SELECT, 0x65,
         "KEY_MENU_SELECT: read 160, "},
        {"KEY_GAMEPAD_MENU=B", &SettingsRecord::KEY_GAMEPAD_MENU, 0,
         "KEY_GAMEPAD_MENU: read 8192, "},
        {"KEY_GAMEPAD_MENU=RB+A", &SettingsRecord::KEY_GAMEPAD_MENU, 0,
         "KEY_GAMEPAD_MENU: read 4608, "},
        {"KEY_GAMEPAD_MENU=RB+DPadLeft", &SettingsRecord::KEY_GAMEPAD_MENU, 0,
         "KEY_GAMEPAD_MENU: read 516, "},
        {"KEY_GAMEPAD_MENU=1", &SettingsRecord::KEY_GAMEPAD_MENU, 0, "KEY_GAMEPAD_MENU: read 1, "},
        {"KEY_GAMEPAD_MENU=LB+Back", &SettingsRecord::KEY_GAMEPAD_MENU, 0x120, nullptr},
        {"KEY_GAMEPAD_2=LB\nKEY_GAMEPAD_MENU=LB+Back", &SettingsRecord::KEY_GAMEPAD_MENU, 0,
         "KEY_GAMEPAD_MENU: read 288, "},
    };
    Boot();
    for (const Case& c : cases) {
        WriteIni(std::string("[Veloxan]\n") + c.file + "\n");
        std::ofstream(folder + "/Veloxan.log", std::ios::trunc).flush();
        LoadSettings();
        EXPECT_EQ(Settings.*c.field, c.value) << c.file;
        const std::string log = ReadGameFile("Veloxan.log");
        if (c.repair != nullptr) {
            const char* rule =
                std::string(c.repair).starts_with("KEY_GAMEPAD") ? kPadRule : kMenuRule;
            EXPECT_NE(log.find(std::string("repaired ") + c.repair + rule), std::string::npos)
                << c.file << "\n"
                << log;
        } else {
            EXPECT_EQ(log.find("repaired KEY"), std::string::npos) << c.file << "\n" << log;
        }
    }
}

TEST_F(SettingsFile, sound_profile_above_one_means_the_second_profile) {
    WriteIni("[Veloxan]\nSFX_type=5\n");
    Boot();
    EXPECT_EQ(Settings.SFX_type, 1u);
}

TEST_F(SettingsFile, names_match_without_case_or_surrounding_blanks) {
    WriteIni("; player's file\n[ veloxan ]\n  SLOWMO =  25 \nnew_install=1\nDuration= 100\n"
             "[Other]\nsensitivity=90\n");
    Boot();
    EXPECT_EQ(Settings.slowmo, 0.25f);
    EXPECT_EQ(Settings.New_Install, 1u);
    EXPECT_EQ(Settings.duration, 1.0f);
    EXPECT_EQ(Settings.sensitivity, 0.25f) << "keys of another section are not ours";
}

TEST_F(SettingsFile, out_of_range_values_fall_back_or_are_capped) {
    WriteIni("[Veloxan]\r\nduration=101\r\nsensitivity=0\r\npower=1\r\nboost=abc\r\n"
             "slowmo=25abc\r\nNew_Install=2\r\ndisplay_notifications=7\r\nSFX_type=0\r\n"
             "KEY_GAMEPAD=\r\n");
    Boot();
    EXPECT_EQ(Settings.duration, 0.6f);
    EXPECT_EQ(Settings.sensitivity, 0.25f);
    EXPECT_EQ(Settings.power, 0.01f);
    EXPECT_EQ(Settings.boost, 0.35f);
    EXPECT_EQ(Settings.slowmo, 0.25f);
    EXPECT_EQ(Settings.New_Install, 0u) << "the notice is due only for exactly 1";
    EXPECT_EQ(Settings.display_notifications, 1u);
    EXPECT_EQ(Settings.SFX_type, 0u);
    EXPECT_EQ(Settings.KEY_GAMEPAD, 2) << "an empty value gives the default";
}

TEST_F(SettingsFile, pad_menu_buttons_and_volume_refused_fall_back_with_a_log_line) {
    struct Case {
        const char* file;
        std::int32_t padMenu;
        std::int32_t volume;
        const char* repair; // in Veloxan.log; null for none
    };
    const Case cases[] = {
        {"KEY_GAMEPAD_MENU=512\nSFX_volume=1\n", 512, 1, nullptr},
        {"KEY_GAMEPAD_MENU=0\nSFX_volume=100\n", 0, 100, nullptr},
        {"SFX_volume=0\n", 0, 100, nullptr},
        {"KEY_GAMEPAD_MENU=65536\n", 0, 100,
         "KEY_GAMEPAD_MENU: read 65536, above 65535, or a button of KEY_GAMEPAD or KEY_GAMEPAD_2"},
        {"KEY_GAMEPAD_MENU=514\n", 0, 100, "KEY_GAMEPAD_MENU: read 514, "},
        {"KEY_GAMEPAD_2=4096\nKEY_GAMEPAD_MENU=4608\n", 0, 100, "KEY_GAMEPAD_MENU: read 4608, "},
        {"SFX_volume=101\n", 0, 100, "SFX_volume: read 101, above 100: taken as 100"},
        {"SFX_volume=-5\n", 0, 100, "SFX_volume: read -5, above 100"},
    };
    Boot();
    for (const Case& c : cases) {
        WriteIni(std::string("[Veloxan]\n") + c.file);
        std::ofstream(folder + "/Veloxan.log", std::ios::trunc).flush();
        LoadSettings();
        EXPECT_EQ(Settings.KEY_GAMEPAD_MENU, c.padMenu) << c.file;
        EXPECT_EQ(Settings.SFX_volume, c.volume) << c.file;
        const std::string log = ReadGameFile("Veloxan.log");
        if (c.repair != nullptr) {
            EXPECT_NE(log.find(std::string("repaired ") + c.repair), std::string::npos)
                << c.file << log;
        } else {
            EXPECT_EQ(log.find("repaired KEY_GAMEPAD_MENU"), std::string::npos) << c.file << log;
            EXPECT_EQ(log.find("repaired SFX_volume"), std::string::npos) << c.file << log;
        }
    }
}

class SettingsSave : public SimTest {
protected:
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
        }
        return lines;
    }
    bool HasLine(const std::string& line) const {
        const std::vector<std::string> lines = Lines(ReadIni());
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(SettingsSave, save_into_a_missing_file_writes_the_seven_keys_in_order) {
    Boot();
    SaveSettings();
    std::vector<std::string> expected = {"[Veloxan]",     "duration=60", "sensitivity=25",
                                         "power=40",      "boost=35",    "slowmo=20",
                                         "New_Install=0", "SFX_type=1"};
    EXPECT_EQ(Lines(ReadIni()), expected);
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), 7u);

    // The volume and the messages only once they differ from the file's,
    // after the seven; written, the file holds them.
    Settings.SFX_volume = 100;
    Settings.display_notifications = 1;
    SaveSettings();
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), 14u) << "as a missing key reads them";
    Settings.SFX_volume = 35;
    SaveSettings();
    Settings.display_notifications = 0;
    SaveSettings();
    SaveSettings();
    expected.insert(expected.end(), {"SFX_volume=35", "display_notifications=0"});
    EXPECT_EQ(Lines(ReadIni()), expected);
    const auto writes = game.Calls("WritePrivateProfileStringA");
    ASSERT_EQ(writes.size(), 37u) << "seven, seven, eight, eight and seven";
    EXPECT_EQ(writes[21]->S(1), "SFX_volume");
    EXPECT_EQ(writes[29]->S(1), "display_notifications");
}

TEST_F(SettingsSave, save_keeps_bindings_comments_and_other_sections) {
    const std::string before = "; Veloxan settings\r\n"
                               "[Veloxan]\r\n"
                               "; the turbo key\r\n"
                               "KEY_PC=75\r\n"
                               "New_Install=1\r\n"
                               "duration = 80\r\n"
                               "display_notifications=0\r\n"
                               "\r\n"
                               "[Elsewhere]\r\n"
                               "power=7\r\n";
    WriteIni(before);
    Boot();
    ASSERT_EQ(Settings.New_Install, 1u);
    SaveSettings();
    EXPECT_EQ(Settings.New_Install, 0u);

    const std::vector<std::string> lines = Lines(ReadIni());
    auto at = [&](const std::string& line) {
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k] == line) {
                return static_cast<int>(k);
            }
        }
        return -1;
    };
    EXPECT_EQ(at("; Veloxan settings"), 0);
    EXPECT_EQ(at("; the turbo key"), 2);
    EXPECT_EQ(at("KEY_PC=75"), 3);
    EXPECT_EQ(at("New_Install=0"), 4) << "replaced in place";
    EXPECT_EQ(at("display_notifications=0"), 6);
    EXPECT_LT(at("display_notifications=0"), at("sensitivity=25"))
        << "missing keys go after the section's last key";
    EXPECT_LT(at("slowmo=20"), at("[Elsewhere]"));
    EXPECT_EQ(at("power=7"), at("[Elsewhere]") + 1) << "another section's key is left alone";
    EXPECT_NE(at("power=40"), -1);
    EXPECT_NE(at("SFX_type=1"), -1);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& l) { return l.find("duration") != std::string::npos; }),
        1);
}

TEST_F(SettingsSave, every_percentage_saves_back_as_loaded_and_menu_values_truncate) {
    Boot();
    for (int n = 1; n <= 100; ++n) {
        WriteIni("[Veloxan]\nduration=" + std::to_string(n) + "\n");
        LoadSettings();
        SaveSettings();
        LoadSettings();
        SaveSettings();
        EXPECT_TRUE(HasLine("duration=" + std::to_string(n))) << n << " drifted: " << ReadIni();
    }
    Settings.power = 0.625f;
    Settings.boost = 0.6249f;
    Settings.slowmo = 0.02f;
    SaveSettings();
    EXPECT_TRUE(HasLine("power=62"));
    EXPECT_TRUE(HasLine("boost=62"));
    EXPECT_TRUE(HasLine("slowmo=2"));
    Settings.SFX_type = 0;
    SaveSettings();
    EXPECT_TRUE(HasLine("SFX_type=0"));
}

// The menu's saves write no key, so the names a player gave stay as written.
TEST_F(SettingsSave, a_menu_save_keeps_keys_named_as_the_player_wrote_them) {
    const std::string keys = "KEY_PC=T\r\nKEY_PC_MENU= Shift\r\nKEY_MENU_UP=D8\r\n"
                             "KEY_GAMEPAD=DPadDown\r\nKEY_GAMEPAD_MENU=rb\r\n";
    WriteIni("[Veloxan]\r\n" + keys);
    Boot();
    HoldKey(VK_T, 1);
    HoldKey(VK_SHIFT_KEY, 1);
    sim::RunFrames(20);
    HoldKey(VK_T, 1);
    HoldKey(VK_SHIFT_KEY, 1);
    sim::RunFrames(20);
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), 14u) << "opened and closed: two saves";
    EXPECT_EQ(ReadIni().rfind("[Veloxan]\r\n" + keys, 0), 0u) << ReadIni();
}

TEST_F(SettingsSave, failed_write_changes_nothing_in_memory) {
    WriteIni("[Veloxan]\nNew_Install=1\nduration=50\n");
    Boot();
    game.failIniWrites = true;
    SaveSettings();
    EXPECT_EQ(Settings.New_Install, 0u);
    EXPECT_EQ(Settings.duration, 0.5f);
    EXPECT_EQ(ReadIni(), "[Veloxan]\nNew_Install=1\nduration=50\n");
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), 7u);
}

} // namespace
