// The feed message and the first-run notice, as the game is told them.

#include "game/pad_input.h"
#include "screen/draw_primitives.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "sim_fixture.h"

#include <string>
#include <vector>

namespace {

using Notices = SimTest;

std::vector<std::string> Names(const sim::Game& g, std::size_t from) {
    std::vector<std::string> names;
    for (std::size_t k = from; k < g.calls.size(); ++k) {
        names.push_back(g.calls[k].name);
    }
    return names;
}

TEST_F(Notices, notification_replaces_the_previous_one_in_the_feed) {
    Boot();
    const std::size_t before = game.calls.size();
    ShowNotification("first");
    const std::vector<std::string> expected = {"_REMOVE_NOTIFICATION",
                                               "SET_TEXT_FONT",
                                               "SET_TEXT_SCALE",
                                               "SET_TEXT_COLOUR",
                                               "SET_TEXT_WRAP",
                                               "SET_TEXT_CENTRE",
                                               "SET_TEXT_DROPSHADOW",
                                               "SET_TEXT_EDGE",
                                               "_SET_NOTIFICATION_TEXT_ENTRY",
                                               "_ADD_TEXT_COMPONENT_STRING",
                                               "_DRAW_NOTIFICATION"};
    EXPECT_EQ(Names(game, before), expected);
    EXPECT_EQ(game.Last("_REMOVE_NOTIFICATION")->I(0), 0) << "nothing posted before: handle 0";
    EXPECT_EQ(game.Last("SET_TEXT_SCALE")->F(0), 0.55f);
    EXPECT_EQ(game.Last("SET_TEXT_SCALE")->F(1), 0.55f);
    EXPECT_EQ(game.Last("_SET_NOTIFICATION_TEXT_ENTRY")->S(0), "STRING");
    const sim::CallRecord* post = game.Last("_DRAW_NOTIFICATION");
    EXPECT_EQ(post->I(0), 0);
    EXPECT_EQ(post->I(1), 1);

    const std::int32_t firstHandle = lastNotificationId;
    ShowNotification("second");
    EXPECT_EQ(game.Last("_REMOVE_NOTIFICATION")->I(0), firstHandle);
    const auto visible = game.world.VisibleFeed();
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_EQ(visible[0]->text, "second");
    EXPECT_EQ(visible[0]->handle, lastNotificationId);
    // The notice style: white, centred, wrapped at 1.0, no shadow, black edge.
    const sim::TextStyle& style = visible[0]->style;
    EXPECT_EQ(style.font, 0);
    EXPECT_EQ(style.scaleX, 0.55f);
    EXPECT_TRUE(style.centre);
    EXPECT_FALSE(style.outline);
    EXPECT_EQ(style.wrapEnd, 1.0f);
    EXPECT_EQ(style.dropShadow[0], 0);
    EXPECT_EQ(style.edge[4], 205);
}

TEST_F(Notices, notifications_off_means_no_call_at_all) {
    WriteIni("[Veloxan]\ndisplay_notifications=0\n");
    Boot();
    const std::size_t before = game.calls.size();
    ShowNotification("hidden");
    EXPECT_EQ(game.calls.size(), before);
    EXPECT_EQ(lastNotificationId, 0);
    EXPECT_TRUE(game.world.feed.empty());
}

TEST_F(Notices, first_run_notice_is_drawn_every_frame_while_due) {
    WriteIni("[Veloxan]\nNew_Install=1\nKEY_PC_MENU=Shift\n");
    Boot();
    sim::RunFrames(3);
    for (std::uint64_t frame = 1; frame <= 4; ++frame) {
        const auto& items = game.world.DrawList(frame);
        ASSERT_EQ(items.size(), 6u) << "frame " << frame;
        const sim::DrawnRect& box = items[0].rect;
        EXPECT_EQ(items[0].kind, sim::DrawItem::Rect);
        EXPECT_FLOAT_EQ(box.x - box.width / 2, 0.644f);
        EXPECT_FLOAT_EQ(box.x + box.width / 2, 0.946f);
        EXPECT_FLOAT_EQ(box.y - box.height / 2, 0.067f);
        EXPECT_FLOAT_EQ(box.y + box.height / 2, 0.177f);
        EXPECT_EQ(box.red, 0);
        EXPECT_EQ(box.green, 0);
        EXPECT_EQ(box.blue, 0);
        EXPECT_EQ(box.alpha, 200);
        const char* lines[] = {"Veloxan", "Press SHIFT + T to enter SETUP",
                               "~r~and to remove this message~r~."};
        for (std::size_t k = 1; k < 6; ++k) {
            const sim::DrawnText& text = items[k].text;
            EXPECT_EQ(items[k].kind, sim::DrawItem::Text);
            EXPECT_EQ(text.x, 0.8f);
            EXPECT_FLOAT_EQ(text.y, 0.065f + 0.02f * static_cast<float>(k - 1));
            EXPECT_EQ(text.style.font, 0);
            EXPECT_EQ(text.style.scaleX, 0.36f);
            EXPECT_EQ(text.style.scaleY, 0.36f);
            EXPECT_TRUE(text.style.centre);
            EXPECT_FALSE(text.style.outline);
            EXPECT_EQ(text.style.wrapStart, 0.0f);
            EXPECT_EQ(text.style.wrapEnd, 1.0f);
            for (int c = 0; c < 4; ++c) {
                EXPECT_EQ(text.style.colour[c], 255);
            }
            EXPECT_TRUE(text.style.dropShadowSet);
            EXPECT_EQ(text.style.dropShadow[0], 0);
            EXPECT_EQ(text.style.edge[0], 1);
            EXPECT_EQ(text.style.edge[4], 205);
            if (k <= 3) {
                EXPECT_EQ(text.text, lines[k - 1]);
            }
        }
        EXPECT_EQ(items[5].text.text.rfind("Thank you for using this mod.  Ver:2.1", 0), 0u);
    }
}

TEST_F(Notices, the_first_run_notice_names_the_keys_that_open_the_menu) {
    struct Variant {
        const char* keys;
        bool pad;
        const char* line;
    };
    // Keys as Windows names them on the US layout, pad buttons as the texts; in capitals.
    const Variant variants[] = {
        {"KEY_PC=T\nKEY_PC_MENU=Shift\n", true, "Press SHIFT + T to enter SETUP"},
        {"KEY_PC=F9\nKEY_PC_MENU=Ctrl\nKEY_GAMEPAD_MENU=RB\n", true,
         "Press CTRL + F9 to enter SETUP"},
        {"KEY_PC=Right Bracket\nKEY_PC_MENU=Right Shift\n", false,
         "Press RIGHT SHIFT + ] to enter SETUP"},
        {"KEY_PC=T\nKEY_PC_MENU=Numpad 7\n", false, "Press NUM 7 + T to enter SETUP"},
        {"KEY_PC=T\nKEY_PC_MENU=91\n", false, "Press 91 + T to enter SETUP"},
        // No keyboard menu key: the pad's chord, the first of its buttons.
        {"KEY_GAMEPAD=DPadDown\nKEY_GAMEPAD_MENU=RB\n", true,
         "Press RB + D-PAD DOWN to enter SETUP"},
        {"KEY_GAMEPAD=X\nKEY_GAMEPAD_2=Y\nKEY_GAMEPAD_MENU=LB+RB\n", true,
         "Press LB + X + Y to enter SETUP"},
        // Neither: no pad found for the pad's menu, or none named.
        {"KEY_GAMEPAD_MENU=RB\n", false, "Set KEY_PC_MENU in Veloxan.ini"},
        {"KEY_PC=0\nKEY_PC_MENU=Shift\n", true, "Set KEY_PC_MENU in Veloxan.ini"},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.keys);
        WriteIni(std::string("[Veloxan]\nNew_Install=1\n") + v.keys);
        game.input.ConnectPad(0, v.pad);
        padIndex = -1;
        Boot();
        const auto& items = game.world.DrawList(game.frame);
        ASSERT_EQ(items.size(), 6u);
        EXPECT_EQ(items[2].text.text, v.line);
        sim::StopScript();
    }
}

TEST_F(Notices, no_notice_without_a_new_install) {
    WriteIni("[Veloxan]\nNew_Install=0\n");
    Boot();
    sim::RunFrames(5);
    EXPECT_EQ(game.Count("_DRAW_TEXT"), 0u);
    EXPECT_EQ(game.Count("DRAW_RECT"), 0u);
}

TEST_F(Notices, text_styles_are_set_in_their_order_before_the_text) {
    Boot();
    std::size_t before = game.calls.size();
    DrawMenuText(0.05f, 0.155f, 0.35f, "Main Menu");
    const std::vector<std::string> menu = {"SET_TEXT_FONT",       "SET_TEXT_SCALE",
                                           "SET_TEXT_DROPSHADOW", "SET_TEXT_COLOUR",
                                           "SET_TEXT_WRAP",       "SET_TEXT_CENTRE",
                                           "SET_TEXT_OUTLINE",    "SET_TEXT_EDGE",
                                           "_SET_TEXT_ENTRY",     "_ADD_TEXT_COMPONENT_STRING",
                                           "_DRAW_TEXT"};
    EXPECT_EQ(Names(game, before), menu);

    before = game.calls.size();
    DrawNoticeText(0.065f, "Veloxan");
    const std::vector<std::string> notice = {
        "SET_TEXT_FONT", "SET_TEXT_SCALE",  "SET_TEXT_COLOUR",
        "SET_TEXT_WRAP", "SET_TEXT_CENTRE", "SET_TEXT_DROPSHADOW",
        "SET_TEXT_EDGE", "_SET_TEXT_ENTRY", "_ADD_TEXT_COMPONENT_STRING",
        "_DRAW_TEXT"};
    EXPECT_EQ(Names(game, before), notice);
    EXPECT_EQ(game.Last("_DRAW_TEXT")->F(0), 0.8f);
}

TEST_F(Notices, menu_text_style_and_rectangles_pass_their_values_unchanged) {
    Boot();
    const std::uint64_t frame = game.frame;
    DrawRect(0.1f, 0.2f, 0.3f, 0.4f, -126, 300, 0, 255);
    DrawMenuText(0.05f, 0.155f, 0.35f, "Main Menu");
    const auto& items = game.world.DrawList(frame);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].rect.red, -126);
    EXPECT_EQ(items[0].rect.green, 300);
    EXPECT_EQ(items[0].rect.height, 0.4f);
    const sim::DrawnText& text = items[1].text;
    EXPECT_EQ(text.text, "Main Menu");
    EXPECT_EQ(text.x, 0.05f);
    EXPECT_EQ(text.y, 0.155f);
    EXPECT_EQ(text.style.scaleY, 0.35f);
    EXPECT_TRUE(text.style.outline);
    EXPECT_TRUE(text.style.centre);
    EXPECT_EQ(text.style.dropShadow[0], 50);
    EXPECT_EQ(text.style.wrapEnd, 0.14f);
    EXPECT_EQ(text.style.edge[0], 1);
    EXPECT_EQ(text.style.edge[4], 205);
}

} // namespace
