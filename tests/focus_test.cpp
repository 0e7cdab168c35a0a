// Keys and pad buttons count only while the game is the foreground program:
// GetAsyncKeyState and XInput read the whole desktop's devices. No window in
// front at all is not the game in front.

#include "game/key_input.h"
#include "menu/menu_item.h"
#include "turbo_fixture.h"

namespace {

using Focus = TurboTest;

constexpr std::uint16_t kDpadDown = 0x0002;

// Names of the calls made in frame `f`, in order.
std::vector<std::string> CallsOf(const sim::Game& g, std::uint64_t f) {
    std::vector<std::string> names;
    for (const sim::CallRecord& c : g.calls) {
        if (c.frame == f) {
            names.push_back(c.name);
        }
    }
    return names;
}

// Neither the keyboard nor the pad was asked in these frames.
void ExpectNoInputRead(const sim::Game& g, std::uint64_t first, std::uint64_t last) {
    for (std::uint64_t f = first; f <= last; ++f) {
        for (const std::string& name : CallsOf(g, f)) {
            EXPECT_TRUE(name != "GetAsyncKeyState" && name != "XInputGetState")
                << name << " in frame " << f;
        }
    }
}

TEST_F(Focus, keys_typed_into_another_program_do_nothing_and_are_not_even_asked) {
    game.input.ConnectPad(0);
    BootInVehicle("KEY_PC_MENU=16\r\n");
    Car().throttle = 1.0f;
    sim::RunFrames(20);
    PressTrigger();
    ASSERT_EQ(turboState, TurboState::SpoolUp);
    const std::uint32_t keyTick = lastKeyTick;

    // Another program in front for two seconds, while T, Shift + T and the
    // pad's trigger are held there.
    game.input.foreground = false;
    const std::uint64_t away = game.frame + 1;
    // T stays held into the first frame back in the game.
    HoldKey(VK_T, 126);
    HoldKey(VK_SHIFT_KEY, 60);
    game.input.HoldButtonsFrames(0, kDpadDown, away, 126);
    sim::RunFrames(125);
    for (std::uint64_t f = away; f <= game.frame; ++f) {
        const std::vector<std::string> calls = CallsOf(game, f);
        ASSERT_GE(calls.size(), 4u) << "frame " << f;
        EXPECT_EQ(calls[0], "IS_PAUSE_MENU_ACTIVE") << "frame " << f;
        EXPECT_EQ(calls[1], "GetForegroundWindow") << "frame " << f;
        EXPECT_EQ(calls[2], "GetWindowThreadProcessId") << "frame " << f;
        EXPECT_EQ(calls[3], "GetCurrentProcessId") << "frame " << f;
    }
    ExpectNoInputRead(game, away, game.frame);
    EXPECT_FALSE(rootPage.isOpen);
    EXPECT_EQ(lastKeyTick, keyTick);
    // The boost's own steps go on: it launched and runs, uncancelled.
    EXPECT_EQ(turboState, TurboState::Boosting);
    EXPECT_EQ(LastMessage(), "VELOXAN ACTIVATED");

    // Back in the game: the held T cancels the boost, Shift + T opens the menu.
    game.input.foreground = true;
    sim::Step();
    EXPECT_EQ(LastMessage(), "Veloxan has been shut down");
    EXPECT_EQ(game.CallsInFrame("XInputGetState", game.frame).size(), 0u)
        << "the keyboard answered first";
    sim::RunFrames(20);
    HoldKey(VK_T, 1);
    HoldKey(VK_SHIFT_KEY, 1);
    sim::Step();
    EXPECT_TRUE(rootPage.isOpen);
}

TEST_F(Focus, no_window_in_front_counts_as_another_program) {
    game.input.ConnectPad(0);
    BootInVehicle("KEY_PC_MENU=16\r\n");
    sim::RunFrames(20);

    // The desktop is locked: no window at all is in front, while T, Shift +
    // T and the pad's trigger are held.
    game.input.noWindowInFront = true;
    const std::uint64_t locked = game.frame + 1;
    HoldKey(VK_T, 60);
    HoldKey(VK_SHIFT_KEY, 30);
    game.input.HoldButtonsFrames(0, kDpadDown, locked, 60);
    sim::RunFrames(60);
    ExpectNoInputRead(game, locked, game.frame);
    EXPECT_EQ(turboState, TurboState::Ready);
    EXPECT_FALSE(rootPage.isOpen);
    EXPECT_TRUE(game.world.feed.empty());
}

} // namespace
