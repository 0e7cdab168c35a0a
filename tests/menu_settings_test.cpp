// The settings rows driven from the keypad: slider steps and their bounds,
// the sound profile, the reset, what the saves leave in the INI file, the
// first-run notice, the trigger's wait, and a script restart.

#include "menu/menu_item.h"
#include "menu/settings_menu.h"
#include "menu_fixture.h"
#include "settings/settings.h"
#include "sim/sound_resources.h"
#include "turbo/turbo_sound.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

using MenuSettings = MenuTest;

TEST_F(MenuSettings, sliders_step_up_and_down_to_their_exact_bounds) {
    BootWithMenuKey();
    OpenFully();
    HoldKey(VK_PAD6, 17); // on "Duration"
    for (int k = 1; k <= 17; ++k) {
        sim::Step();
        if (k == 1) {
            EXPECT_EQ(Settings.duration, 0.625f);
        }
        if (k == 16) {
            EXPECT_LT(Settings.duration, 1.0f);
        }
    }
    EXPECT_EQ(Settings.duration, 1.0f);
    sim::Step();
    HoldKey(VK_PAD4, 1);
    sim::Step();
    EXPECT_EQ(Settings.duration, 0.98f);
    HoldKey(VK_PAD6, 2);
    sim::RunFrames(2);
    EXPECT_EQ(Settings.duration, 1.0f) << "0.98 + 0.025 is cut to the bound";

    Settings.duration = 0.6f;
    HoldKey(VK_PAD4, 31);
    for (int k = 1; k <= 31; ++k) {
        sim::Step();
        if (k == 1) {
            EXPECT_NEAR(Settings.duration, 0.58, 1e-6);
        }
        if (k == 29) {
            EXPECT_GT(Settings.duration, 0.02f);
        }
        if (k == 30) {
            EXPECT_EQ(Settings.duration, 0.02f);
        }
    }
    EXPECT_EQ(Settings.duration, 0.02f);
}

TEST_F(MenuSettings, steps_are_uneven_and_a_tiny_loaded_value_is_raised) {
    BootWithMenuKey("boost=1\r\n");
    EXPECT_EQ(Settings.boost, 0.01f);
    ApplyItemAction(RowId("Initial Boost"), 'l');
    EXPECT_EQ(Settings.boost, 0.02f);
    Settings.boost = 0.01f;
    ApplyItemAction(RowId("Initial Boost"), 'r');
    EXPECT_FLOAT_EQ(Settings.boost, 0.035f);
    ApplyItemAction(RowId("Duration"), 'r');
    ApplyItemAction(RowId("Duration"), 'l');
    EXPECT_FLOAT_EQ(Settings.duration, 0.605f);
    // Each id moves its own field and nothing else; unknown ids (the root
    // page's 0, one past the last row) and commands change nothing.
    ApplyItemAction(RowId("Power"), 'r');
    ApplyItemAction(RowId("Sensitivity"), 'l');
    ApplyItemAction(RowId("Slow Motion Collision"), 'r');
    ApplyItemAction(0, 'r');
    ApplyItemAction(RowCount() + 1, 'r');
    ApplyItemAction(RowId("Duration"), 'c');
    ApplyItemAction(RowId("SFX: "), 'c');
    EXPECT_FLOAT_EQ(Settings.power, 0.425f);
    EXPECT_FLOAT_EQ(Settings.sensitivity, 0.23f);
    EXPECT_FLOAT_EQ(Settings.slowmo, 0.225f);
    EXPECT_FLOAT_EQ(Settings.duration, 0.605f);
    EXPECT_FLOAT_EQ(Settings.boost, 0.035f);
    EXPECT_EQ(Settings.SFX_type, 1u);
}

TEST_F(MenuSettings, sound_profile_row_shows_the_profile_and_reset_restores_everything) {
    BootWithMenuKey("duration=90\r\n");
    OpenFully();
    const auto sound = static_cast<std::size_t>(RowSlot("SFX: "));
    SelectRow("SFX: ");
    EXPECT_EQ(RowTexts(game.frame)[sound], "SFX: << Lumen  ")
        << "no SFX_type key: the profile in force";
    // Left and right leave the wait alone: the second press acts at once and
    // changes nothing more.
    Tap(VK_PAD4);
    HoldKey(VK_PAD4, 1);
    sim::Step();
    EXPECT_EQ(Settings.SFX_type, 0u);
    EXPECT_EQ(RowTexts(game.frame)[sound], "SFX:   Orca >>");
    EXPECT_EQ(NavSoundsIn(game.frame), 1u);
    Tap(VK_PAD6);
    HoldKey(VK_PAD6, 1);
    sim::Step();
    EXPECT_EQ(Settings.SFX_type, 1u);
    EXPECT_EQ(RowTexts(game.frame)[sound], "SFX: << Lumen  ");

    ApplyItemAction(RowId("SFX: "), 'l');
    Settings.sensitivity = 0.9f;
    SelectRow("Reset settings");
    const std::uint64_t reset = Tap(VK_PAD5);
    EXPECT_EQ(Settings.duration, 0.6f);
    EXPECT_EQ(Settings.boost, 0.35f);
    EXPECT_EQ(Settings.power, 0.4f);
    EXPECT_EQ(Settings.sensitivity, 0.25f);
    EXPECT_EQ(Settings.slowmo, 0.2f);
    EXPECT_EQ(Settings.SFX_type, 1u);
    EXPECT_EQ(RowTexts(reset)[sound], "SFX: << Lumen  ");
    const auto rects = Rects(reset);
    ASSERT_FALSE(rects.empty());
    EXPECT_NE(ReadIni().find("duration=90"), std::string::npos) << "kept until the next save";
    // The bar shows the restored value on the frame of the reset.
    bool durationBar = false;
    for (const sim::DrawnRect& r : rects) {
        durationBar = durationBar || (r.height == 0.02f && std::abs(r.width - 0.078f) < 1e-6f);
    }
    EXPECT_TRUE(durationBar);

    // The reset ignores the command it is given.
    for (const char command : {'l', 'x'}) {
        SCOPED_TRACE(command);
        Settings.duration = Settings.boost = Settings.power = 0.9f;
        Settings.sensitivity = Settings.slowmo = 0.9f;
        ApplyItemAction(RowId("SFX: "), 'l');
        ApplyItemAction(RowId("Reset settings"), command);
        EXPECT_EQ(std::vector<float>({Settings.duration, Settings.boost, Settings.power,
                                      Settings.sensitivity, Settings.slowmo}),
                  std::vector<float>({0.6f, 0.35f, 0.4f, 0.25f, 0.2f}));
        EXPECT_EQ(Settings.SFX_type, 1u);
        sim::Step();
        EXPECT_EQ(RowTexts(game.frame)[sound], "SFX: << Lumen  ");
    }
}

TEST_F(MenuSettings, stored_profile_picks_the_row_text_at_start) {
    BootWithMenuKey("SFX_type=0\r\n");
    OpenFully();
    EXPECT_EQ(RowTexts(game.frame)[static_cast<std::size_t>(RowSlot("SFX: "))], "SFX:   Orca >>");
}

TEST_F(MenuSettings, opening_and_closing_save_keeping_the_rest_of_the_file) {
    WriteIni("; tuned by hand\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=100\r\n"
             "display_notifications=0\r\n\r\n[Other]\r\nduration=5\r\n");
    Boot();
    PressChord();
    EXPECT_EQ(ReadIni(),
              "; tuned by hand\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=100\r\n"
              "display_notifications=0\r\nsensitivity=25\r\npower=40\r\nboost=35\r\n"
              "slowmo=20\r\nNew_Install=0\r\nSFX_type=1\r\n\r\n[Other]\r\nduration=5\r\n");
    sim::RunFrames(12);
    SelectRow("Power");
    Tap(VK_PAD6); // power 0.425
    SelectRow("SFX: ");
    Tap(VK_PAD4); // profile 0
    EXPECT_NE(ReadIni().find("power=40"), std::string::npos) << "a change alone does not save";
    Tap(VK_PAD0);
    EXPECT_EQ(ReadIni(),
              "; tuned by hand\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=100\r\n"
              "display_notifications=0\r\nsensitivity=25\r\npower=42\r\nboost=35\r\n"
              "slowmo=20\r\nNew_Install=0\r\nSFX_type=0\r\n\r\n[Other]\r\nduration=5\r\n");
}

// Volume steps SFX_volume by 5 from 5 to 100, at most once per 200 ms while
// held, and each step plays the blow-off once from its copy, scaled then to
// the new level. Messages switches the feed. A save writes either only when
// it differs from the file, and the reset leaves both alone.
TEST_F(MenuSettings, volume_steps_with_a_preview_and_both_rows_save_only_what_changed) {
    BootWithMenuKey("SFX_volume=90\r\n");
    OpenFully();
    SelectRow("Volume");
    const std::vector<std::uint8_t>& blowOff = sim::sounds::Find(107)->bytes;
    std::size_t loud = 46; // a float sample of the blow-off well above silence
    const auto sample = [&loud](const void* wave) {
        float f = 0.0f;
        std::memcpy(&f, static_cast<const std::uint8_t*>(wave) + loud, 4);
        return f;
    };
    while (std::abs(sample(blowOff.data())) < 0.1f) {
        loud += 4;
    }
    const std::uint64_t step = Tap(VK_PAD6);
    EXPECT_EQ(Settings.SFX_volume, 95);
    ASSERT_EQ(game.CallsInFrame("PlaySoundA", step).size(), 1u);
    EXPECT_EQ(game.sounds.back().wave, reinterpret_cast<const std::uint8_t*>(TurboSoundCopy(107)));
    EXPECT_FLOAT_EQ(sample(TurboSoundCopy(107)), sample(blowOff.data()) * 0.9025f);
    EXPECT_FLOAT_EQ(*RowAt(rootPage, RowSlot("Volume"))->floatValue, 0.95f);

    // Held right: 100, then nothing to step or play. Held left for 2 s: one
    // step per 208 ms, 10 steps; then down to 5 and no further.
    const std::pair<int, std::uint64_t> holds[] = {{VK_PAD6, 40}, {VK_PAD4, 125}, {VK_PAD4, 200}};
    const std::pair<std::int32_t, std::size_t> after[] = {{100, 2}, {50, 12}, {5, 21}};
    for (std::size_t k = 0; k < 3; ++k) {
        HoldKey(holds[k].first, holds[k].second);
        sim::RunFrames(holds[k].second);
        EXPECT_EQ(Settings.SFX_volume, after[k].first);
        EXPECT_EQ(game.sounds.size(), after[k].second);
    }
    EXPECT_FLOAT_EQ(sample(TurboSoundCopy(107)), sample(blowOff.data()) * 0.0025f);

    SelectRow("Messages");
    Tap(VK_PAD5);
    SelectRow("Reset settings");
    Tap(VK_PAD5);
    EXPECT_EQ(Settings.SFX_volume, 5);
    EXPECT_EQ(Settings.display_notifications, 0u);
    std::size_t writes = game.Count("WritePrivateProfileStringA");
    Tap(VK_PAD0);
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), writes + 9);
    const std::string file = ReadIni();
    EXPECT_TRUE(file.find("\nSFX_volume=5\r\n") != std::string::npos &&
                file.find("\ndisplay_notifications=0\r\n") != std::string::npos)
        << file;

    // Up and back down to what the file holds: nothing more to write.
    sim::RunFrames(WaitFrames());
    OpenFully();
    SelectRow("Volume");
    Tap(VK_PAD6);
    Tap(VK_PAD4);
    writes = game.Count("WritePrivateProfileStringA");
    Tap(VK_PAD0);
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), writes + 7);
}

TEST_F(MenuSettings, first_opening_ends_the_notice_and_holds_off_the_trigger) {
    WriteIni("[Veloxan]\r\nKEY_PC_MENU=16\r\nNew_Install=1\r\n");
    game.input.ConnectPad(0);
    Boot();
    sim::RunFrames(3);
    const auto noticeBox = [&](std::uint64_t frame) {
        for (const sim::DrawnRect& r : Rects(frame)) {
            if (r.x == 0.795f && r.alpha == 200) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(noticeBox(game.frame));
    EXPECT_FALSE(game.CallsInFrame("XInputGetState", game.frame).empty());
    const std::uint64_t chord = PressChord();
    EXPECT_TRUE(noticeBox(chord));
    EXPECT_TRUE(DrawnOffset(chord).has_value());
    // The chord restarted the shared wait: the trigger does not even poll
    // the pad on that frame or for the next 200 ms.
    sim::RunFrames(WaitFrames());
    for (std::uint64_t f = chord; f < chord + WaitFrames(); ++f) {
        EXPECT_TRUE(game.CallsInFrame("XInputGetState", f).empty()) << f - chord;
    }
    EXPECT_FALSE(game.CallsInFrame("XInputGetState", chord + WaitFrames()).empty());
    EXPECT_FALSE(noticeBox(chord + 1));
    EXPECT_EQ(Settings.New_Install, 0u);
    EXPECT_NE(ReadIni().find("New_Install=0"), std::string::npos);
}

TEST_F(MenuSettings, restarted_script_keeps_one_set_of_rows_and_starts_closed) {
    BootWithMenuKey();
    OpenFully();
    const auto sound = static_cast<std::size_t>(RowSlot("SFX: "));
    SelectRow("SFX: ");
    Tap(VK_PAD4); // profile 0, not saved
    EXPECT_EQ(RowTexts(game.frame)[sound], "SFX:   Orca >>");

    sim::RestartScript();
    sim::RunFrames(3);
    EXPECT_TRUE(game.world.DrawList(game.frame).empty());
    EXPECT_EQ(Settings.SFX_type, 1u);
    const std::uint64_t opened = PressChord();
    EXPECT_NEAR(*DrawnOffset(opened), 0.18, 1e-6);
    const std::vector<std::string> rows = RowTexts(opened);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(RowCount()));
    EXPECT_EQ(rows[sound], "SFX: << Lumen  ");
    EXPECT_EQ(HighlightedRow(opened), 0);
}

} // namespace
