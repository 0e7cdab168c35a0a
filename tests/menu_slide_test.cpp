// The menu sliding in from the left edge and out again, read frame by frame
// from where the game was asked to draw its header.

#include "menu_fixture.h"

namespace {

using MenuSlide = MenuTest;

// Where the header band is drawn, frame by frame, worked out once: each frame
// moves the offset by 0.02 in double precision and stores it back as a float,
// and the header sits at 0.075 - offset. In single precision throughout, both
// slides drift from these from the fourth or fifth frame on.
constexpr float kOpeningHeaderX[] = {-0.105000004f, -0.0850000083f,  -0.0650000125f, -0.0450000092f,
                                     -0.025000006f, -0.00500000268f, 0.0149999969f,  0.0349999964f,
                                     0.054999996f,  0.0749999955f,   0.075000003f,   0.075000003f,
                                     0.075000003f};
constexpr float kClosingHeaderX[] = {
    0.0550000034f,  0.0350000039f,  0.0150000043f, -0.00499999523f, -0.0249999985f, -0.0450000018f,
    -0.0649999976f, -0.0849999934f, -0.104999989f, -0.124999985f,   -0.144999981f};

TEST_F(MenuSlide, opening_slides_in_over_ten_frames_then_stays) {
    BootWithMenuKey();
    const std::uint64_t first = PressChord();
    sim::RunFrames(12);
    for (std::uint64_t k = 0; k < 13; ++k) {
        SCOPED_TRACE("frame " + std::to_string(k) + " of the opening");
        const std::optional<float> drawn = DrawnOffset(first + k);
        ASSERT_TRUE(drawn.has_value());
        EXPECT_EQ(HeaderX(first + k), kOpeningHeaderX[k]);
        if (k < 9) {
            EXPECT_NEAR(*drawn, 0.18 - 0.02 * static_cast<double>(k), 1e-6);
        } else if (k == 9) {
            EXPECT_LT(*drawn, 0.002f);
        } else {
            EXPECT_EQ(*drawn, 0.0f);
        }
    }
}

TEST_F(MenuSlide, closing_slides_out_and_the_eleventh_frame_is_the_last_drawn) {
    BootWithMenuKey();
    OpenFully();
    const std::uint64_t first = PressChord();
    sim::RunFrames(14);
    for (std::uint64_t k = 0; k < 10; ++k) {
        const std::optional<float> drawn = DrawnOffset(first + k);
        ASSERT_TRUE(drawn.has_value()) << k;
        EXPECT_EQ(HeaderX(first + k), kClosingHeaderX[k]) << k;
        EXPECT_NEAR(*drawn, 0.02 * static_cast<double>(k + 1), 1e-6) << k;
        EXPECT_LT(*drawn, 0.2f) << k;
    }
    ASSERT_TRUE(DrawnOffset(first + 10).has_value());
    EXPECT_EQ(HeaderX(first + 10), kClosingHeaderX[10]);
    EXPECT_NEAR(*DrawnOffset(first + 10), 0.22, 1e-6);
    for (std::uint64_t k = 11; k < 15; ++k) {
        EXPECT_TRUE(game.world.DrawList(first + k).empty()) << k;
    }
}

TEST_F(MenuSlide, chord_during_the_slide_out_turns_it_back_from_where_it_was) {
    // 25 ms frames: the wait is over while the menu is still sliding out.
    ResetGame(100000, 25);
    BootWithMenuKey();
    OpenFully();
    const std::uint64_t closing = PressChord();
    sim::RunFrames(WaitFrames() - 1); // nine frames out: 0.02 ... 0.18
    EXPECT_NEAR(*DrawnOffset(game.frame), 0.18, 1e-6);
    const std::uint64_t reopening = PressChord();
    EXPECT_EQ(reopening, closing + 9);
    sim::RunFrames(9);
    for (std::uint64_t k = 0; k < 9; ++k) {
        EXPECT_NEAR(*DrawnOffset(reopening + k), 0.16 - 0.02 * static_cast<double>(k), 1e-6) << k;
    }
    EXPECT_EQ(*DrawnOffset(reopening + 9), 0.0f);
}

TEST_F(MenuSlide, back_on_the_root_page_closes_and_saves_drawing_that_frame) {
    BootWithMenuKey();
    const std::size_t writesAtStart = game.Count("WritePrivateProfileStringA");
    OpenFully();
    const std::size_t writesBefore = game.Count("WritePrivateProfileStringA");
    const std::size_t writesOfASave = writesBefore - writesAtStart;
    ASSERT_GT(writesOfASave, 0u) << "the opening saved";
    const std::uint64_t back = Tap(VK_PAD0);
    EXPECT_EQ(DrawnOffset(back), 0.0f);
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), writesBefore + writesOfASave)
        << "the closing saves as the opening did";
    sim::Step();
    EXPECT_NEAR(*DrawnOffset(back + 1), 0.02, 1e-6);
    sim::RunFrames(12);
    EXPECT_TRUE(game.world.DrawList(game.frame).empty());
}

} // namespace
