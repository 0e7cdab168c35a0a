// Moving through the menu with the numeric keypad: wrap-around, held keys
// against the shared wait, pages entered and left, and the navigation sound.

#include "game/key_input.h"
#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"

namespace {

using MenuNavigation = MenuTest;

// A page of `rows` rows at the end of the root page. A full root page is a
// failure, not a crash.
void AddPage(const char* label, int rows) {
    MenuItem* page = AddMenuRow(rootPage, label, 0, MenuItemKind::Submenu, "", label);
    if (page == nullptr) {
        ADD_FAILURE() << "the root page has no free slot for \"" << label << "\"";
        return;
    }
    for (int i = 0; i < rows; ++i) {
        if (AddMenuRow(*page, "Row", 0, MenuItemKind::Action, "", "") == nullptr) {
            ADD_FAILURE() << "page \"" << label << "\" has no free slot for row " << i;
        }
    }
}

TEST_F(MenuNavigation, up_and_down_wrap_on_the_settings_page_and_pages_of_one_and_ten_rows) {
    BootWithMenuKey();
    OpenFully();
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD8)), RowCount() - 1);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD2)), 0);

    // Room for both pages: the last settings rows go, as this test uses none.
    for (int last = RowCount() - 1; last >= static_cast<int>(kMenuPageSlots) - 2; --last) {
        delete rootPage.children[last];
        rootPage.children[last] = nullptr;
    }
    AddPage("One", 1);
    AddPage("Ten", 10);
    Tap(VK_PAD8); // wraps to "Ten"
    Tap(VK_PAD5);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD8)), 9);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD2)), 0);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD0)), RowSlot("Ten"))
        << "back keeps the root page's selection";
    Tap(VK_PAD8);
    const std::uint64_t entered = Tap(VK_PAD5);
    EXPECT_EQ(RowTexts(entered).size(), 1u);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD8)), 0);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD2)), 0);
    EXPECT_EQ(NavSoundsIn(game.frame), 1u) << "a key that changes nothing still sounds";
}

TEST_F(MenuNavigation, held_up_moves_once_per_wait_and_held_right_steps_every_frame) {
    BootWithMenuKey();
    OpenFully();
    // Up from the first row, held until it reaches "Slow Motion Collision":
    // one move at once, then one each time the 200 ms wait has passed.
    const std::uint64_t first = game.frame + 1;
    const int target = RowSlot("Slow Motion Collision");
    const auto moves = static_cast<std::uint64_t>(RowCount() - target);
    HoldKey(VK_PAD8, (moves - 1) * 13 + 1);
    sim::RunFrames((moves - 1) * 13 + 1);
    std::vector<std::uint64_t> soundFrames;
    for (const sim::CallRecord* c : game.Calls("PLAY_SOUND_FRONTEND")) {
        soundFrames.push_back(c->frame);
        EXPECT_EQ(c->I(0), -1);
        EXPECT_EQ(c->S(1), "NAV_UP_DOWN");
        EXPECT_EQ(c->S(2), "HUD_FRONTEND_DEFAULT_SOUNDSET");
        EXPECT_EQ(c->I(3), 0);
    }
    std::vector<std::uint64_t> expected;
    for (std::uint64_t k = 0; k < moves; ++k) {
        expected.push_back(first + 13 * k);
    }
    EXPECT_EQ(soundFrames, expected);
    EXPECT_EQ(HighlightedRow(game.frame), target);

    // Right on "Slow Motion Collision" right after an up: it waits like
    // everything else, then steps on every frame with its sound, and never
    // restarts the wait, so down still acts at once afterwards.
    const float before = Settings.slowmo;
    HoldKey(VK_PAD6, 15);
    sim::RunFrames(12);
    EXPECT_EQ(Settings.slowmo, before);
    sim::RunFrames(3);
    EXPECT_EQ(NavSoundsIn(game.frame), 1u);
    EXPECT_NEAR(Settings.slowmo, before + 3 * 0.025, 1e-6);
    const std::uint32_t upTick = lastKeyTick;
    HoldKey(VK_PAD2, 1);
    sim::Step();
    EXPECT_EQ(HighlightedRow(game.frame), target + 1);
    EXPECT_GT(lastKeyTick, upTick);
}

TEST_F(MenuNavigation, select_and_sideways_keys_act_only_on_their_kinds) {
    BootWithMenuKey();
    OpenFully();
    const std::size_t writes = game.Count("WritePrivateProfileStringA");
    const std::uint64_t selectOnSlider = Tap(VK_PAD5);
    EXPECT_EQ(Settings.duration, 0.6f);
    EXPECT_EQ(NavSoundsIn(selectOnSlider), 1u);
    SelectRow("Reset settings");
    Settings.power = 0.9f;
    const std::uint64_t sideways = Tap(VK_PAD4);
    HoldKey(VK_PAD6, 1);
    sim::Step();
    EXPECT_EQ(Settings.power, 0.9f);
    EXPECT_EQ(NavSoundsIn(sideways) + NavSoundsIn(game.frame), 2u);

    // A page entered and left again saves nothing.
    SelectRow("Keys");
    const std::uint64_t in = Tap(VK_PAD5);
    EXPECT_EQ(TextsOfScale(in, 0.35f), std::vector<std::string>{"Main Menu->Keys"});
    const std::uint64_t out = Tap(VK_PAD0);
    EXPECT_EQ(TextsOfScale(out, 0.35f), std::vector<std::string>{"Main Menu"});
    EXPECT_EQ(HighlightedRow(out), RowSlot("Keys"));
    sim::Step();
    EXPECT_EQ(DrawnOffset(game.frame), 0.0f) << "back from a page leaves the menu open";
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), writes);
}

TEST_F(MenuNavigation, keys_held_together_act_in_the_order_up_down_back_select_left_right) {
    BootWithMenuKey();
    OpenFully();
    const auto holdTogether = [&](std::initializer_list<int> keys) {
        sim::RunFrames(WaitFrames());
        for (const int vk : keys) {
            HoldKey(vk, 1);
        }
        sim::Step();
        return game.frame;
    };
    // Up restarts the wait, so nothing after it acts: one sound.
    std::uint64_t f = holdTogether({VK_PAD8, VK_PAD2, VK_PAD0, VK_PAD5, VK_PAD4, VK_PAD6});
    EXPECT_EQ(HighlightedRow(f), RowCount() - 1);
    EXPECT_EQ(NavSoundsIn(f), 1u);
    f = holdTogether({VK_PAD2, VK_PAD0, VK_PAD5, VK_PAD4, VK_PAD6});
    EXPECT_EQ(HighlightedRow(f), 0);
    EXPECT_EQ(NavSoundsIn(f), 1u);
    SelectRow("Reset settings");
    Settings.sensitivity = 0.9f;
    f = holdTogether({VK_PAD0, VK_PAD5, VK_PAD4, VK_PAD6});
    EXPECT_EQ(Settings.sensitivity, 0.9f) << "back closed the menu before select";
    EXPECT_EQ(NavSoundsIn(f), 1u);
    sim::Step();
    EXPECT_NEAR(*DrawnOffset(game.frame), 0.02, 1e-6);

    // Left and right both act in one frame, left first.
    sim::RunFrames(WaitFrames());
    OpenFully();
    SelectRow("Duration");
    f = holdTogether({VK_PAD4, VK_PAD6});
    EXPECT_FLOAT_EQ(Settings.duration, 0.6f - 0.02f + 0.025f);
    EXPECT_EQ(NavSoundsIn(f), 2u);
    Settings.duration = 1.0f; // left to 0.98, then right back to the bound
    holdTogether({VK_PAD4, VK_PAD6});
    EXPECT_EQ(Settings.duration, 1.0f);
}

TEST_F(MenuNavigation, chord_on_a_sub_page_closes_and_reopens_on_the_root_page) {
    BootWithMenuKey();
    OpenFully();
    Tap(VK_PAD8); // "Keys", the last row
    EXPECT_EQ(TextsOfScale(Tap(VK_PAD5), 0.35f), std::vector<std::string>{"Main Menu->Keys"});
    sim::RunFrames(WaitFrames());
    const std::uint64_t closing = PressChord();
    EXPECT_EQ(TextsOfScale(closing, 0.35f), std::vector<std::string>{"Main Menu"});
    sim::RunFrames(5);
    EXPECT_EQ(TextsOfScale(game.frame, 0.35f), std::vector<std::string>{"Main Menu"});
    sim::RunFrames(WaitFrames());
    const std::uint64_t opening = PressChord();
    EXPECT_EQ(TextsOfScale(opening, 0.35f), std::vector<std::string>{"Main Menu"});
    EXPECT_EQ(HighlightedRow(opening), RowSlot("Keys")) << "the root page keeps its selection";
}

} // namespace
