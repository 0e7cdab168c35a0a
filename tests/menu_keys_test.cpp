// The menu's keys as the player sets them in Veloxan.ini: each of the six
// taken instead of its keypad key, refused codes falling back to the keypad,
// and the start report naming what is in effect.

#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "menu_rows.h"
#include "settings/settings.h"

#include <ostream>

namespace {

using MenuKeys = MenuTest;

enum class Effect { RowUp, RowDown, SliderDown, SliderUp, Reset, Closes };

struct KeyCase {
    const char* name;
    const char* ini;    // besides KEY_PC_MENU=16 (Shift); KEY_PC is T (84)
    int press;          // the key that acts
    int keypad;         // the keypad key it replaces, which must not act; 0 when it still does
    Effect effect;      // on "Initial Boost" (steps up 0.025 and down 0.02), or on
                        // "Reset settings" for Reset
    const char* report; // on the start report's lines
    const char* repair; // the log's repair line, when the file's value was refused
};

constexpr int VK_I = 'I';
constexpr int VK_J = 'J';
constexpr int VK_K = 'K';
constexpr int VK_L = 'L';
constexpr int VK_ENTER = 0x0D;
constexpr int VK_BACKSPACE = 0x08;

constexpr const char* kRefused = ", above 254, or also KEY_PC, KEY_PC_2, KEY_PC_MENU or another "
                                 "menu key: the keypad key used";

const KeyCase kCases[] = {
    {"up", "KEY_MENU_UP=73\r\n", VK_I, VK_PAD8, Effect::RowUp, " KEY_MENU_UP=73 (I) ", nullptr},
    {"down", "KEY_MENU_DOWN=75\r\n", VK_K, VK_PAD2, Effect::RowDown, " KEY_MENU_DOWN=75 (K) ",
     nullptr},
    {"left", "KEY_MENU_LEFT=74\r\n", VK_J, VK_PAD4, Effect::SliderDown, " KEY_MENU_LEFT=74 (J) ",
     nullptr},
    {"right", "KEY_MENU_RIGHT=76\r\n", VK_L, VK_PAD6, Effect::SliderUp, " KEY_MENU_RIGHT=76 (L) ",
     nullptr},
    {"select", "KEY_MENU_SELECT=13\r\n", VK_ENTER, VK_PAD5, Effect::Reset,
     " KEY_MENU_SELECT=13 (Enter) ", nullptr},
    {"back", "KEY_MENU_BACK=8\r\n", VK_BACKSPACE, VK_PAD0, Effect::Closes,
     " KEY_MENU_BACK=8 (Backspace)", nullptr},
    {"above_254", "KEY_MENU_UP=300\r\n", VK_PAD8, 0, Effect::RowUp, " KEY_MENU_UP=104 (Numpad 8) ",
     "KEY_MENU_UP: read 300"},
    {"the_turbo_key", "KEY_MENU_DOWN=84\r\n", VK_PAD2, 0, Effect::RowDown,
     " KEY_MENU_DOWN=98 (Numpad 2) ", "KEY_MENU_DOWN: read 84"},
    {"the_menu_key", "KEY_MENU_BACK=16\r\n", VK_PAD0, 0, Effect::Closes,
     " KEY_MENU_BACK=96 (Numpad 0)", "KEY_MENU_BACK: read 16"},
    {"the_second_turbo_key", "KEY_PC_2=17\r\nKEY_MENU_RIGHT=17\r\n", VK_PAD6, 0, Effect::SliderUp,
     " KEY_MENU_RIGHT=102 (Numpad 6) ", "KEY_MENU_RIGHT: read 17"},
    {"a_trigger_key_on_the_keypad_keeps_its_menu_role_as_before", "KEY_PC_2=96\r\n", VK_PAD0, 0,
     Effect::Closes, " KEY_PC_2 is also KEY_MENU_BACK: both act on Numpad 0\r\n", nullptr},
    {"zero_keeps_the_keypad", "KEY_MENU_LEFT=0\r\nKEY_MENU_SELECT=0\r\n", VK_PAD4, 0,
     Effect::SliderDown, " KEY_MENU_LEFT=100 (Numpad 4) ", nullptr},
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class MenuKeyTable : public MenuKeys, public testing::WithParamInterface<KeyCase> {};

TEST_P(MenuKeyTable, the_file_names_the_key_that_moves_the_menu) {
    const KeyCase& c = GetParam();
    BootWithMenuKey(c.ini);
    OpenFully();
    const std::string log = ReadGameFile("Veloxan.log");
    EXPECT_NE(log.find(c.report), std::string::npos) << log;
    if (c.repair != nullptr) {
        EXPECT_NE(log.find(std::string("repaired ") + c.repair + kRefused), std::string::npos)
            << log;
    } else {
        EXPECT_EQ(log.find("repaired KEY_MENU"), std::string::npos) << log;
    }

    const int start = RowSlot(c.effect == Effect::Reset ? "Reset settings" : "Initial Boost");
    // The opening was the one save so far.
    const std::size_t writesOfASave = game.Count("WritePrivateProfileStringA");
    ASSERT_GT(writesOfASave, 0u);
    currentPage->selectedIndex = static_cast<std::int8_t>(start);
    Settings.boost = 0.5f;
    if (c.keypad != 0) {
        const std::uint64_t ignored = Tap(c.keypad);
        EXPECT_EQ(NavSoundsIn(ignored), 0u) << "the keypad key it replaces does nothing";
        EXPECT_EQ(HighlightedRow(ignored), start);
    }
    const std::uint64_t frame = Tap(c.press);
    EXPECT_EQ(NavSoundsIn(frame), 1u);
    switch (c.effect) {
    case Effect::RowUp:
    case Effect::RowDown:
        EXPECT_EQ(HighlightedRow(frame), c.effect == Effect::RowUp ? start - 1 : start + 1);
        break;
    case Effect::SliderDown:
    case Effect::SliderUp:
        EXPECT_NEAR(Settings.boost, c.effect == Effect::SliderUp ? 0.525f : 0.48f, 1e-6);
        break;
    case Effect::Reset:
        EXPECT_EQ(Settings.boost, kDefaultBoost);
        break;
    case Effect::Closes:
        EXPECT_FALSE(rootPage.isOpen);
        EXPECT_EQ(game.CallsInFrame("WritePrivateProfileStringA", frame).size(), writesOfASave);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, MenuKeyTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<KeyCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
