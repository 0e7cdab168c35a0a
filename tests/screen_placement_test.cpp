// The drawing placed for the player's screen: where the menu, the first-run
// notice and the recharge bar land for each answer of the game, bad ones too,
// and when the game is asked.

#include "menu_fixture.h"
#include "settings/settings.h"
#include "turbo/turbo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

class ScreenPlacement : public MenuTest {};

// The header band's x, width, y; the notice box's; the recharge bar's (half
// full); the first row's text x, y, wrap start and end.
using Drawing = std::array<float, 13>;
// The design's own floats. By hand from them: 21:9 scales widths by 0.75,
// 32:9 by 0.5, 4:3 by 4/3, three 16:9 screens by 1/3 on the middle third; a
// safe zone of 0.9 leaves 0.05 a side.
constexpr Drawing kDesign = {.075f, .15f, .102f, .795f,          .302f, .122f, .5f,
                             .075f, .98f, .075f, .0425f + .155f, 0,     .14f};
constexpr float k169 = 1920.0f / 1080.0f;

// Rows drawn as the design exactly to the bit, the others to 1e-6.
const struct Case {
    struct {
        const char* name;
        float aspect, safeZone;
        const char* logged; // the line logged; "": none of a bad answer (once per start)
    } screen;
    Drawing want;
} kCases[] = {
    {{"16:9", k169, 1.0f, ""}, kDesign},
    {{"21:9", 2560.0f / 1080.0f, 1.0f, "screen 2.370, safe zone 1.00"},
     {.05625f, .1125f, .102f, .84625f, .2265f, .122f, .5f, .05625f, .98f, .05625f, .1975f, 0,
      .105f}},
    {{"32:9", 3840.0f / 1080.0f, 1.0f, "screen 3.556, safe zone 1.00"},
     {.0375f, .075f, .102f, .8975f, .151f, .122f, .5f, .0375f, .98f, .0375f, .1975f, 0, .07f}},
    {{"4:3", 1440.0f / 1080.0f, 1.0f, "screen 1.333, safe zone 1.00"},
     {.1f, .2f, .102f, .72666667f, .40266667f, .122f, .5f, .1f, .98f, .1f, .1975f, 0, .18666667f}},
    {{"three 16:9", 5760.0f / 1080.0f, 1.0f,
      "screen 5.333 (three screens: the middle one), safe zone 1.00"},
     {.35833333f, .05f, .102f, .59833333f, .10066667f, .122f, .5f, .025f, .98f, .35833333f, .1975f,
      .33333333f, .38f}},
    {{"16:9 at 0.9", k169, 0.9f, "screen 1.778, safe zone 0.90"},
     {.125f, .15f, .152f, .745f, .302f, .172f, .5f, .075f, .93f, .125f, .2475f, .05f, .19f}},
    {{"aspect NaN", std::nanf(""), 1.0f,
      "screen aspect ratio read ?: outside 1.0 to 8.0, taken as 16:9"},
     kDesign},
    {{"aspect 0", 0.0f, 1.0f, ""}, kDesign},
    {{"aspect 100", 100.0f, 1.0f, ""}, kDesign},
    {{"safe zone 0.5", k169, 0.5f, "safe zone read 0.500: outside 0.8 to 1.0, taken as 1.0"},
     kDesign},
};

TEST_F(ScreenPlacement, each_screen_places_the_menu_notice_and_bar_on_their_own_edges) {
    BootWithMenuKey();
    game.world.EnterVehicle(game.world.AddVehicle());
    OpenFully();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.screen.name);
        // Set in the pause menu; the next pass draws the menu, the notice and the bar.
        game.world.paused = true;
        sim::Step();
        game.world.aspectRatio = c.screen.aspect;
        game.world.safeZone = c.screen.safeZone;
        game.world.paused = false;
        const std::size_t logged = ReadGameFile("Veloxan.log").size();
        Settings.New_Install = 1;
        turboState = TurboState::Recharging;
        rechargeProgress = 5000.0f - 45.0f; // one step to half
        sim::Step();
        const auto& drawn = game.world.DrawList(game.frame);
        std::vector<float> got;
        for (const float height : {0.085f, 0.11f, 0.007f, 0.0f}) { // 0: the row's text
            const auto it = std::find_if(drawn.begin(), drawn.end(), [height](const auto& d) {
                return height > 0 ? d.kind == sim::DrawItem::Rect && d.rect.height == height
                                  : d.kind == sim::DrawItem::Text && d.text.style.scaleY == 0.32f;
            });
            ASSERT_NE(it, drawn.end()) << height;
            const sim::DrawnText& t = it->text;
            const auto item = height > 0
                                  ? std::vector{it->rect.x, it->rect.width, it->rect.y}
                                  : std::vector{t.x, t.y, t.style.wrapStart, t.style.wrapEnd};
            got.insert(got.end(), item.begin(), item.end());
        }
        for (std::size_t k = 0; k < got.size(); ++k) {
            EXPECT_NEAR(got[k], c.want[k], c.want == kDesign ? 0.0 : 1e-6)
                << "item " << k << " of: header, notice, bar (x, width, y); row (x, y, wraps)";
        }
        const std::string added = ReadGameFile("Veloxan.log").substr(logged);
        const bool logs = *c.screen.logged != '\0';
        EXPECT_EQ(added.find(logs ? c.screen.logged : " read ") != std::string::npos, logs)
            << added;
    }
}

// Only where the player may have changed the screen: the start (a restart's
// too), the first pass after a pause and the menu's opening.
TEST_F(ScreenPlacement, the_screen_is_asked_at_start_after_a_pause_and_at_the_menus_opening) {
    BootWithMenuKey();
    std::multiset<std::uint64_t> expected = {game.frame};
    sim::RunFrames(20);
    expected.insert(PressChord());
    sim::RunFrames(WaitFrames() + 12);
    PressChord(); // closes
    sim::RunFrames(15);
    game.world.paused = true;
    sim::RunFrames(5);
    game.world.paused = false;
    sim::Step();
    expected.insert(game.frame);
    sim::RunFrames(10);
    sim::RestartScript();
    sim::Step();
    expected.insert(game.frame);
    sim::RunFrames(10);
    for (const char* native : {"GET_ASPECT_RATIO", "GET_SAFE_ZONE_SIZE"}) {
        std::multiset<std::uint64_t> asked; // once in each of those frames
        for (const sim::CallRecord* call : game.Calls(native)) {
            asked.insert(call->frame);
        }
        EXPECT_EQ(asked, expected) << native;
    }
    EXPECT_NE(ReadGameFile("Veloxan.log")
                  .find("language en-US (the game's), screen 1.778, safe zone 1.00"),
              std::string::npos);
}

} // namespace
