// Keys on screen as the player's keyboard names them (the simulated game's US,
// German and French layouts) and the pad's buttons in the game's language; the
// module's own names where Windows has none that fits, and in the file.
// Windows is asked at the start, the menu's opening and a key set only.

#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"
#include "settings/texts.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace {

using Layout = sim::KeyboardLayout;
constexpr int kLanguageOf[] = {0, 2, 1}; // the game's language for each Layout: en, de, fr

const struct NameCase {
    const char* name;
    Layout keyboard;
    const char* ini; // besides New_Install=1 and KEY_PC_MENU=16 (Shift); KEY_PC is T
    KeySetting row;  // the Keys page's row read, or set to `key` when that is not 0
    int key;
    const char *shown, *notice, *written; // the row's line, the notice's, the file's or null
} kCases[] = {
    {"a_name_from_the_layout", Layout::DeDe, "", KeySetting::Boost2, 0xC0 /* Ö */, "Boost 2: ö",
     "Drücke UMSCHALT + T für das SETUP", "KEY_PC_2=Backquote"},
    {"the_module_name_where_windows_has_none", Layout::EnUs, "KEY_PC_2=F13\r\n", KeySetting::Boost2,
     0, "Boost 2nd: F13", "Press SHIFT + T to enter SETUP", nullptr},
    {"a_name_too_long_for_the_row", Layout::DeDe, "", KeySetting::MenuUp, 0, "Hoch: Numpad 8",
     "Drücke UMSCHALT + T für das SETUP", nullptr},
    {"shift_as_one_key", Layout::FrFr, "", KeySetting::Menu, 0, "Menu : MAJ",
     "Appuyez sur MAJ + T pour les RÉGLAGES", nullptr},
    {"the_notice_in_capitals", Layout::DeDe, "KEY_PC=Backquote\r\n", KeySetting::Boost, 0,
     "Boost: ö", "Drücke UMSCHALT + Ö für das SETUP", nullptr},
    {"a_refusal_in_the_layouts_words", Layout::DeDe, "", KeySetting::Boost2, 0xA0 /* left Shift */,
     "UMSCHALT belegt: Menü", "Drücke UMSCHALT + T für das SETUP", nullptr},
    {"a_pad_button_in_german", Layout::DeDe, "", KeySetting::PadBoost, 0, "Boost: D-Pad unten",
     "Drücke UMSCHALT + T für das SETUP", nullptr},
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class KeyNames : public MenuTest, public testing::WithParamInterface<NameCase> {};

TEST_P(KeyNames, keys_take_the_layouts_names_on_screen_and_the_modules_in_the_file) {
    const NameCase& c = GetParam();
    game.input.keyboard = c.keyboard;
    game.world.language = kLanguageOf[static_cast<int>(c.keyboard)];
    BootWithMenuKey(std::string("New_Install=1\r\n") + c.ini);
    EXPECT_EQ(game.world.DrawList(game.frame).at(2).text.text, c.notice);
    std::set<std::uint64_t> expected = {game.frame};

    HoldKey(Settings.KEY_PC, 1);
    HoldKey(Settings.KEY_PC_MENU, 1);
    sim::Step();
    expected.insert(game.frame);
    SelectRow(Text(TextId::KeysLabel));
    Tap(VK_PAD5);
    const auto tapDownTo = [this](int slot) {
        for (int taps = 0; currentPage->selectedIndex != slot && taps < 12; ++taps) {
            Tap(VK_PAD2);
        }
        EXPECT_EQ(currentPage->selectedIndex, slot);
    };
    int slot = static_cast<int>(c.row);
    if (IsPadSetting(c.row)) { // through the Pad page's entry, after the keyboard's rows
        tapDownTo(static_cast<int>(KeySetting::PadBoost));
        Tap(VK_PAD5);
        slot -= static_cast<int>(KeySetting::PadBoost);
    }
    tapDownTo(slot);
    if (c.key != 0) {
        Tap(VK_PAD5);
        expected.insert(Tap(c.key));
    }
    sim::RunFrames(6);

    const auto rows = RowTexts(game.frame);
    EXPECT_NE(std::find(rows.begin(), rows.end(), c.shown), rows.end())
        << testing::PrintToString(rows);
    if (c.written != nullptr) {
        EXPECT_NE(ReadIni().find(std::string(c.written) + "\r\n"), std::string::npos) << ReadIni();
    }
    sim::RunFrames(30);
    std::set<std::uint64_t> asked;
    for (const sim::CallRecord* call : game.Calls("GetKeyNameTextW")) {
        asked.insert(call->frame);
    }
    EXPECT_EQ(asked, expected);
}

INSTANTIATE_TEST_SUITE_P(KeyNames, KeyNames, testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
