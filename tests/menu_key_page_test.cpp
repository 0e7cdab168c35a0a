// The Keys page: a row waits for the key pressed, which the file's checks
// and the menu's own then accept or refuse; Esc, the pad's Back and ten
// seconds cancel, Backspace clears. While a row waits, the menu's keys and
// the trigger do nothing, and every pass disables the game's controls.

#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"
#include "turbo/turbo.h"

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Ends : std::uint8_t { Accepted, Refused, Cancelled };

struct WaitCase {
    std::string name;
    const char* ini;      // before KEY_PC_MENU=16 (Shift), which it may name; KEY_PC is T
    KeySetting row;       // the row that waits
    int key;              // the key pressed; 0 for none, kPause for the pause menu
    std::uint16_t button; // the pad button pressed (pad 0 connected); 0 for none
    Ends ends;
    std::int32_t value;  // the setting afterwards
    const char* shown;   // the row's line just after the wait
    const char* written; // the file's line afterwards; null when nothing is written
    bool failWrite = false;
    // Select by the pad's A, held this long; the press this long after it.
    bool padSelect = false;
    std::uint32_t selectHeldMs = 0;
    std::uint32_t pressAfterMs = 0;
};

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_F9 = 0x78;
constexpr int VK_ESC = 0x1B;
constexpr int VK_BACKSPACE = 0x08;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_I = 'I';
constexpr int kPause = -1;

const WaitCase kCases[] = {
    {"boost_takes_f9", "", KeySetting::Boost, VK_F9, 0, Ends::Accepted, 0x78, "Boost: F9",
     "KEY_PC=F9"},
    {"the_up_key_binds_the_up_key", "", KeySetting::MenuUp, VK_PAD8, 0, Ends::Accepted, 0x68,
     "Up: Num 8", "KEY_MENU_UP=Numpad 8"},
    {"the_boost_key_is_no_boost", "", KeySetting::Boost2, VK_T, 0, Ends::Refused, 0, "T is Boost",
     nullptr},
    {"a_menu_key_in_effect", "KEY_MENU_BACK=F9\r\n", KeySetting::Boost, VK_F9, 0, Ends::Refused,
     'T', "F9 is Menu back", nullptr},
    {"another_menu_keys_keypad_key", "", KeySetting::MenuUp, VK_PAD2, 0, Ends::Refused, 0x68,
     "Num 2 is Menu down", nullptr},
    {"a_side_of_the_menu_key", "", KeySetting::Boost2, VK_LSHIFT, 0, Ends::Refused, 0,
     "Shift is Menu", nullptr},
    {"esc_cancels", "", KeySetting::Boost, VK_ESC, 0, Ends::Cancelled, 'T', "Boost: T", nullptr},
    {"backspace_clears_the_second_key", "KEY_PC_2=Ctrl\r\n", KeySetting::Boost2, VK_BACKSPACE, 0,
     Ends::Accepted, 0, "Boost 2nd: none", "KEY_PC_2=0"},
    {"backspace_gives_a_menu_key_its_keypad_key", "KEY_MENU_UP=I\r\n", KeySetting::MenuUp,
     VK_BACKSPACE, 0, Ends::Accepted, 0x68, "Up: Num 8", "KEY_MENU_UP=0"},
    {"no_menu_key_without_a_pad_menu", "", KeySetting::Menu, VK_BACKSPACE, 0, Ends::Refused, 0x10,
     "The keyboard needs a way in", nullptr},
    {"no_menu_key_with_a_pad_menu", "KEY_GAMEPAD_MENU=RB\r\n", KeySetting::Menu, VK_BACKSPACE, 0,
     Ends::Refused, 0x10, "The keyboard needs a way in", nullptr},
    {"the_pad_menu_stays_while_the_keyboard_has_no_menu_key",
     "KEY_PC_MENU=0\r\nKEY_GAMEPAD_MENU=RB\r\n", KeySetting::PadMenu, VK_BACKSPACE, 0,
     Ends::Refused, 0x0200, "The menu needs a way in", nullptr},
    {"backspace_keeps_the_boost_key", "", KeySetting::Boost, VK_BACKSPACE, 0, Ends::Refused, 'T',
     "Boost: press a key", nullptr},
    {"backspace_keeps_the_pad_boost", "", KeySetting::PadBoost, VK_BACKSPACE, 0, Ends::Refused, 2,
     "Boost: press a button", nullptr},
    {"pad_boost_refuses_start", "", KeySetting::PadBoost, 0, 0x0010, Ends::Refused, 2,
     "Start is the pause menu", nullptr},
    {"a_bit_that_is_no_button_is_not_taken", "", KeySetting::PadMenu, 0, 0x0400, Ends::Cancelled, 0,
     "Menu: press a button", nullptr},
    // The ten seconds count from Select, not from its release.
    {"select_held_11_s_then_esc_at_11_s", "", KeySetting::Boost, VK_ESC, 0, Ends::Cancelled, 'T',
     "Boost: T", nullptr, false, false, 11000, 11000},
    {"esc_while_select_is_held", "", KeySetting::Boost, VK_ESC, 0, Ends::Cancelled, 'T', "Boost: T",
     nullptr, false, false, 2000, 1000},
    {"a_button_row_takes_nothing_while_a_is_held", "KEY_GAMEPAD_MENU=RB\r\n", KeySetting::PadBoost2,
     0, 0x4000, Ends::Cancelled, 0, "Boost 2nd: press a button", nullptr, false, true, 500, 200},
    {"a_key_row_does_not_wait_for_a", "KEY_GAMEPAD_MENU=RB\r\n", KeySetting::Boost, VK_F9, 0,
     Ends::Accepted, 0x78, "Boost: F9", "KEY_PC=F9", false, true, 500, 200},
    {"convert_is_a_key", "", KeySetting::Boost2, 28, 0, Ends::Accepted, 28, "Boost 2nd: 28",
     "KEY_PC_2=28"},
    {"a_pause_cancels", "", KeySetting::Boost, kPause, 0, Ends::Cancelled, 'T', "Boost: T",
     nullptr},
    {"a_mouse_button_is_no_key_and_ten_seconds_cancel", "", KeySetting::Boost, VK_LBUTTON, 0,
     Ends::Cancelled, 'T', "Boost: T", nullptr},
    {"a_write_that_fails", "", KeySetting::Boost, VK_I, 0, Ends::Accepted, 'I', "Boost: not saved",
     nullptr, true},
    {"pad_menu_takes_rb", "", KeySetting::PadMenu, 0, 0x0200, Ends::Accepted, 0x0200, "Menu: RB",
     "KEY_GAMEPAD_MENU=RB"},
    {"pad_menu_refuses_start", "", KeySetting::PadMenu, 0, 0x0010, Ends::Refused, 0,
     "Start is the pause menu", nullptr},
    {"pad_menu_refuses_a", "", KeySetting::PadMenu, 0, 0x1000, Ends::Refused, 0, "A moves the menu",
     nullptr},
    {"pad_boost_refuses_the_pad_menus_button", "KEY_GAMEPAD_MENU=RB\r\n", KeySetting::PadBoost, 0,
     0x0200, Ends::Refused, 2, "RB is Pad menu", nullptr},
    {"pad_back_cancels", "", KeySetting::PadBoost2, 0, 0x0020, Ends::Cancelled, 0,
     "Boost 2nd: none", nullptr},
    {"backspace_ends_the_pad_menu", "KEY_GAMEPAD_MENU=LB\r\n", KeySetting::PadMenu, VK_BACKSPACE, 0,
     Ends::Accepted, 0, "Menu: none", "KEY_GAMEPAD_MENU=0"},
};

void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

class KeyWaitTable : public MenuTest, public testing::WithParamInterface<WaitCase> {
protected:
    // Taps down to the slot on the page shown.
    void TapDownTo(int slot) {
        for (int taps = 0; currentPage->selectedIndex != slot && taps < 12; ++taps) {
            Tap(VK_PAD2);
        }
        ASSERT_EQ(currentPage->selectedIndex, slot);
    }
};

TEST_P(KeyWaitTable, a_row_takes_the_key_pressed_or_says_why_not) {
    const WaitCase& c = GetParam();
    game.input.ConnectPad(0);
    WriteIni(std::string("[Veloxan]\r\n") + c.ini + "KEY_PC_MENU=16\r\n");
    Boot();
    game.world.EnterVehicle(game.world.AddVehicle());
    if (Settings.KEY_PC_MENU == 0) {
        game.input.HoldButtonsFrames(0, 0x0202, game.frame + 1, 1); // the pad's chord
    }
    OpenFully();
    SelectRow("Keys");
    Tap(VK_PAD5);
    int slot = static_cast<int>(c.row);
    if (IsPadSetting(c.row)) {
        TapDownTo(9);
        Tap(VK_PAD5);
        slot -= static_cast<int>(KeySetting::PadBoost);
    }
    TapDownTo(slot);
    const MenuItem* page = currentPage;
    const std::uint64_t ms = game.options.msPerFrame;
    HoldKey('W', 60); // a driving key, held through Select: no key
    sim::RunFrames(WaitFrames());
    if (c.padSelect) {
        game.input.HoldButtonsFrames(0, 0x1000, game.frame + 1, c.selectHeldMs / ms + 1); // A
    } else {
        HoldKey(VK_PAD5, c.selectHeldMs / ms + 1);
    }
    // Past the 200 ms key wait, so that a menu key or the trigger would act.
    sim::RunFrames(c.pressAfterMs != 0 ? c.pressAfterMs / ms - 1 : WaitFrames());
    game.failIniWrites = c.failWrite;
    const std::size_t writes = game.Count("WritePrivateProfileStringA");
    const std::string iniBefore = ReadIni();
    game.world.paused = c.key == kPause;
    if (c.key > 0) {
        HoldKey(c.key, 3);
    } else if (c.button != 0) {
        game.input.HoldButtonsFrames(0, c.button, game.frame + 1, 3);
    }
    sim::Step();
    const std::uint64_t pressed = game.frame;
    game.world.paused = false;
    // The mouse button leaves the row waiting out its ten seconds.
    sim::RunFrames(c.key == VK_LBUTTON ? 10000 / game.options.msPerFrame : 6);

    EXPECT_EQ(KeySettingValue(c.row), c.value);
    const auto rows = RowTexts(game.frame);
    EXPECT_NE(std::find(rows.begin(), rows.end(), c.shown), rows.end())
        << "shown: " << testing::PrintToString(rows);
    const bool over = c.pressAfterMs > 10000; // the wait ran out before the press
    EXPECT_EQ(game.CallsInFrame("DISABLE_ALL_CONTROL_ACTIONS", pressed - 1).size(), over ? 0u : 1u);
    EXPECT_TRUE(!over || RowTexts(pressed - 1) == rows)
        << testing::PrintToString(RowTexts(pressed - 1));
    EXPECT_EQ(currentPage, page) << "the menu's keys did nothing";
    EXPECT_EQ(currentPage->selectedIndex, slot);
    EXPECT_EQ(turboState, TurboState::Ready) << "the trigger did nothing";
    const auto errors =
        std::count_if(game.world.frontendSounds.begin(), game.world.frontendSounds.end(),
                      [](const sim::FrontendSound& s) {
                          return s.name == "ERROR" && s.soundSet == "HUD_FRONTEND_DEFAULT_SOUNDSET";
                      });
    EXPECT_EQ(errors, c.ends == Ends::Refused ? 1 : 0);
    const std::string log = ReadGameFile("Veloxan.log");
    if (c.written != nullptr) {
        EXPECT_EQ(game.Count("WritePrivateProfileStringA"), writes + 1) << "that key alone";
        std::string ini = ReadIni();
        std::erase(ini, '\r');
        EXPECT_NE(ini.find(std::string("\n") + c.written + "\n"), std::string::npos) << ini;
    } else {
        EXPECT_EQ(ReadIni(), iniBefore);
    }
    const bool set = c.ends == Ends::Accepted;
    EXPECT_EQ(log.find(" set in the menu: ") != std::string::npos, set) << log;
    EXPECT_EQ(log.find("not saved: the file cannot be written") != std::string::npos, c.failWrite)
        << log;
}

// Keys Windows keeps: the Windows keys, Apps, Num and Scroll Lock, the IME's.
std::vector<WaitCase> Cases() {
    std::vector<WaitCase> cases(std::begin(kCases), std::end(kCases));
    for (const int key :
         {21, 22, 23, 24, 25, 26, 91, 92, 93, 144, 145, 240, 241, 242, 243, 244, 245}) {
        cases.push_back({"windows_keeps_" + std::to_string(key), "", KeySetting::Boost2, key, 0,
                         Ends::Refused, 0, "Windows keeps that key", nullptr});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(KeyPage, KeyWaitTable, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<WaitCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
