// Keys on screen as the player's keyboard names them, from the simulated
// game's US, German and French layouts, and the pad's buttons in the game's
// language: the Keys page, a refusal and the first-run notice; the module's
// own name where Windows has none, or none that fits a row. The file keeps
// the module's own names, and Windows is asked at the start, at the menu's
// opening and at a key set only.

#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"
#include "settings/texts.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace {

struct NameCase {
    const char* name;
    sim::KeyboardLayout keyboard;
    int language;        // the game's, as GET_CURRENT_LANGUAGE answers
    const char* ini;     // besides New_Install=1 and KEY_PC_MENU=16 (Shift); KEY_PC is T
    KeySetting row;      // the Keys page's row read, or set
    int key;             // the key pressed on the row; 0 to read it only
    const char* shown;   // the row's line
    const char* notice;  // the notice's line naming the chord
    const char* written; // the file's line afterwards; null when nothing is written
};

constexpr int kEnglish = 0, kFrench = 1, kGerman = 2;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_OEM_3 = 0xC0; // Ö on a German keyboard, ` on a US one

const NameCase kCases[] = {
    {"a_name_from_the_layout", sim::KeyboardLayout::DeDe, kGerman, "", KeySetting::Boost2, VK_OEM_3,
     "Boost 2: ö", "Drücke UMSCHALT + T für das SETUP", "KEY_PC_2=Backquote"},
    {"the_module_name_where_windows_has_none", sim::KeyboardLayout::EnUs, kEnglish,
     "KEY_PC_2=F13\r\n", KeySetting::Boost2, 0, "Boost 2nd: F13", "Press SHIFT + T to enter SETUP",
     nullptr},
    {"a_name_too_long_for_the_row", sim::KeyboardLayout::DeDe, kGerman, "", KeySetting::MenuUp, 0,
     "Hoch: Numpad 8", "Drücke UMSCHALT + T für das SETUP", nullptr},
    {"shift_as_one_key", sim::KeyboardLayout::FrFr, kFrench, "", KeySetting::Menu, 0, "Menu : MAJ",
     "Appuyez sur MAJ + T pour les RÉGLAGES", nullptr},
    {"the_notice_in_capitals", sim::KeyboardLayout::DeDe, kGerman, "KEY_PC=Backquote\r\n",
     KeySetting::Boost, 0, "Boost: ö", "Drücke UMSCHALT + Ö für das SETUP", nullptr},
    {"a_refusal_in_the_layouts_words", sim::KeyboardLayout::DeDe, kGerman, "", KeySetting::Boost2,
     VK_LSHIFT, "UMSCHALT belegt: Menü", "Drücke UMSCHALT + T für das SETUP", nullptr},
    {"a_pad_button_in_german", sim::KeyboardLayout::DeDe, kGerman, "", KeySetting::PadBoost, 0,
     "Boost: D-Pad unten", "Drücke UMSCHALT + T für das SETUP", nullptr},
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class KeyNameTable : public MenuTest, public testing::WithParamInterface<NameCase> {
protected:
    void TapDownTo(int slot) {
        for (int taps = 0; currentPage->selectedIndex != slot && taps < 12; ++taps) {
            Tap(VK_PAD2);
        }
        ASSERT_EQ(currentPage->selectedIndex, slot);
    }

    // The frames in which the module asked Windows for a key's name.
    std::set<std::uint64_t> FramesAsking() const {
        std::set<std::uint64_t> frames;
        for (const sim::CallRecord* c : game.Calls("GetKeyNameTextW")) {
            frames.insert(c->frame);
        }
        return frames;
    }
};

TEST_P(KeyNameTable, keys_take_the_layouts_names_on_screen_and_the_modules_in_the_file) {
    const NameCase& c = GetParam();
    game.input.keyboard = c.keyboard;
    game.world.language = c.language;
    BootWithMenuKey(std::string("New_Install=1\r\n") + c.ini);
    const auto& notice = game.world.DrawList(game.frame);
    ASSERT_EQ(notice.size(), 6u);
    EXPECT_EQ(notice[2].text.text, c.notice);
    const std::uint64_t started = game.frame;

    game.world.EnterVehicle(game.world.AddVehicle());
    HoldKey(Settings.KEY_PC, 1);
    HoldKey(Settings.KEY_PC_MENU, 1);
    sim::Step();
    const std::uint64_t opened = game.frame;
    sim::RunFrames(std::max<std::uint64_t>(WaitFrames(), 11));
    SelectRow(Text(TextId::KeysLabel));
    Tap(VK_PAD5);
    int slot = static_cast<int>(c.row);
    if (IsPadSetting(c.row)) {
        TapDownTo(9);
        Tap(VK_PAD5);
        slot -= static_cast<int>(KeySetting::PadBoost);
    }
    TapDownTo(slot);
    std::set<std::uint64_t> events = {started, opened};
    if (c.key != 0) {
        Tap(VK_PAD5);
        sim::RunFrames(WaitFrames());
        HoldKey(c.key, 3);
        sim::Step();
        events.insert(game.frame);
    }
    sim::RunFrames(6);

    const auto rows = RowTexts(game.frame);
    EXPECT_NE(std::find(rows.begin(), rows.end(), c.shown), rows.end())
        << "shown: " << testing::PrintToString(rows);
    if (c.written != nullptr) {
        EXPECT_NE(ReadIni().find(std::string(c.written) + "\r\n"), std::string::npos) << ReadIni();
    }
    sim::RunFrames(30);
    EXPECT_EQ(FramesAsking(), events) << "Windows is asked on the events only";
}

INSTANTIATE_TEST_SUITE_P(KeyNames, KeyNameTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<NameCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
