// What the game is asked to draw for a menu page: every rectangle and text of
// a frame, in order, against the menu's layout.

#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"
#include "version.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

using MenuDrawing = MenuTest;

constexpr double kRow = 0.0425;

struct Expected {
    bool text;
    double x, y, w, h; // text: w is the scale
    int r, g, b, a;
    std::string s;
};

Expected Band(double x, double y, double w, double h, int r, int g, int b, int a) {
    return {false, x, y, w, h, r, g, b, a, ""};
}
Expected Text(double x, double y, double scale, const std::string& s) {
    return {true, x, y, scale, 0, 0, 0, 0, 0, s};
}

void ExpectFrame(const std::vector<sim::DrawItem>& drawn, const std::vector<Expected>& expected) {
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Expected& e = expected[k];
        const sim::DrawItem& d = drawn[k];
        SCOPED_TRACE("draw item " + std::to_string(k) + " " + e.s);
        ASSERT_EQ(d.kind == sim::DrawItem::Text, e.text);
        if (e.text) {
            const sim::DrawnText& t = d.text;
            EXPECT_NEAR(t.x, e.x, 1e-6);
            EXPECT_NEAR(t.y, e.y, 1e-6);
            EXPECT_NEAR(t.style.scaleX, e.w, 1e-6);
            EXPECT_NEAR(t.style.scaleY, e.w, 1e-6);
            if (!e.s.empty()) {
                EXPECT_EQ(t.text, e.s);
            }
            // The menu text style: font 0, white, wrapped at 0.14, centred,
            // outlined, shadow 50, black edge.
            const sim::TextStyle& st = t.style;
            EXPECT_EQ(
                std::vector<int>({st.font, st.colour[0], st.colour[1], st.colour[2], st.colour[3],
                                  st.centre, st.outline, st.dropShadow[0], st.edge[0], st.edge[4]}),
                std::vector<int>({0, 255, 255, 255, 255, 1, 1, 50, 1, 205}));
            EXPECT_EQ(st.wrapStart, 0.0f);
            EXPECT_NEAR(st.wrapEnd, 0.14, 1e-6);
        } else {
            const sim::DrawnRect& r = d.rect;
            EXPECT_NEAR(r.x, e.x, 1e-6);
            EXPECT_NEAR(r.y, e.y, 1e-6);
            EXPECT_NEAR(r.width, e.w, 1e-6);
            EXPECT_NEAR(r.height, e.h, 1e-6);
            EXPECT_EQ(std::vector<int>({r.red, r.green, r.blue, r.alpha}),
                      std::vector<int>({e.r, e.g, e.b, e.a}));
        }
    }
}

// The text a root page row is drawn with: label and value text, and a
// toggle's state from the value bound to it.
std::string RowText(const MenuItem& row) {
    std::string text = std::string(row.label) + row.valueText;
    if (row.kind == MenuItemKind::Toggle) {
        const bool on = (row.boolValue != nullptr && *row.boolValue) ||
                        (row.intValue != nullptr && *row.intValue != 0);
        text += on ? "~g~: ON" : "~r~: OFF";
    }
    return text;
}

TEST_F(MenuDrawing, root_page_frame_follows_the_layout_call_by_call) {
    BootWithMenuKey("power=50\r\n");
    OpenFully();
    SelectRow("Power"); // kept for the next opening
    sim::RunFrames(WaitFrames());
    PressChord();
    sim::RunFrames(WaitFrames());
    // The first frame of the reopening: every x shifted by the offset 0.18.
    const std::uint64_t frame = PressChord();

    const double ox = 0.075 - 0.18;
    const int s = RowSlot("Power");
    const int count = RowCount();
    std::vector<Expected> e = {
        Band(ox, 0.102, 0.15, 0.085, 30, 30, 100, 220),
        Text(ox, 0.088, 0.4, "Arcwind"),
        Text(ox, 0.1285, 0.16, ""), // the credit, checked below
        Band(ox, 0.166, 0.15, kRow, 10, 10, 50, 200),
        Text(ox, 0.155, 0.35, "Main Menu"),
        Band(ox, (s + 1) * kRow + 0.1662, 0.15, kRow, 250, 250, 250, 235),
    };
    for (int i = 0; i < count; ++i) {
        const MenuItem& row = *RowAt(rootPage, i);
        const double o = (i + 1) * kRow;
        e.push_back(Text(ox, o + 0.155, 0.32, RowText(row)));
        if (i != s) {
            e.push_back(Band(ox, o + 0.16625, 0.15, kRow, 0, 0, 0, 180));
        }
        if (row.kind == MenuItemKind::Slider) {
            const double w = std::max(static_cast<double>(*row.floatValue) * 0.13, 0.001);
            // Left edge fixed at 0.008, growing right.
            if (i == s) {
                e.push_back(Band(0.008 - 0.18 + w / 2, o + 0.167, w, 0.02, 150, 150, 150, 205));
            } else {
                e.push_back(Band(0.008 - 0.18 + w / 2, o + 0.167, w, 0.02, 90, 120, 180, 205));
            }
        }
    }
    e.push_back(Text(ox, (count + 1) * kRow + 0.155, 0.21, "Acceleration rate multiplier."));
    e.push_back(Band(ox, (count + 1) * kRow + 0.16625, 0.15, kRow, 247, 140, 0, 180));
    ExpectFrame(game.world.DrawList(frame), e);

    // What the settings rows show, against the file and the defaults.
    const std::pair<const char*, std::string> kShown[] = {{"Duration", "Duration"},
                                                          {"Power", "Power"},
                                                          {"SFX: ", "SFX: << Lumen  "},
                                                          {"Reset settings", "Reset settings"}};
    const std::pair<const char*, float> kValues[] = {{"Duration", 0.6f},
                                                     {"Initial Boost", 0.35f},
                                                     {"Power", 0.5f},
                                                     {"Sensitivity", 0.25f},
                                                     {"Slow Motion Collision", 0.2f}};
    for (const auto& [label, text] : kShown) {
        EXPECT_EQ(RowText(*RowAt(rootPage, RowSlot(label))), text);
    }
    for (const auto& [label, value] : kValues) {
        EXPECT_EQ(*RowAt(rootPage, RowSlot(label))->floatValue, value) << label;
    }

    // The first row's text and the help band below the last row.
    const auto& drawn = game.world.DrawList(frame);
    EXPECT_NEAR(drawn[6].text.y, 0.1975, 1e-6);
    EXPECT_NEAR(drawn.back().rect.y, 0.16625 + (count + 1) * 0.0425, 1e-6);
    const std::string credit = drawn[2].text.text;
    ASSERT_GT(credit.size(), 6u);
    EXPECT_EQ(credit.substr(credit.size() - 5), " " VELOXAN_VERSION_SHORT);
    EXPECT_NE(credit[credit.size() - 6], ' ');
}

TEST_F(MenuDrawing, each_selected_row_shows_its_own_description) {
    BootWithMenuKey();
    OpenFully();
    const std::pair<const char*, const char*> kHelp[] = {
        {"Duration", "Turbo Duration 1-10 seconds."},
        {"Initial Boost", "Amount of speed given by the activation."},
        {"Power", "Acceleration rate multiplier."},
        {"Sensitivity", "Strong collision will stop the turbo."},
        {"Slow Motion Collision", "Trigger BULLET TIME when hitting an object."},
        {"SFX: ", "Change the sound."},
        {"Reset settings", "Reset settings back to default."},
        {"Volume", "Level of the turbo's sounds."},
        {"Messages", "Turbo messages in the feed."}};
    for (const auto& [label, help] : kHelp) {
        const std::uint64_t frame = SelectRow(label);
        ASSERT_EQ(HighlightedRow(frame), RowSlot(label));
        EXPECT_EQ(TextsOfScale(frame, 0.21f), std::vector<std::string>{help});
    }
}

TEST_F(MenuDrawing, slider_bars_follow_their_values_and_clamp_at_a_sliver) {
    BootWithMenuKey("duration=100\r\nboost=1\r\n");
    OpenFully();
    Settings.power = -0.5f; // drawn as the thinnest bar, never negative
    sim::Step();
    // The bar of a row, found by its height and the row's place.
    const auto bar = [this](const char* label) {
        const float y = static_cast<float>((RowSlot(label) + 1) * kRow + 0.167);
        for (const sim::DrawnRect& r : Rects(game.frame)) {
            if (r.height == 0.02f && std::abs(r.y - y) < 1e-6f) {
                return r;
            }
        }
        ADD_FAILURE() << "no bar in the row of " << label;
        return sim::DrawnRect{};
    };
    int sliders = 0;
    for (int i = 0; i < RowCount(); ++i) {
        sliders += RowAt(rootPage, i)->kind == MenuItemKind::Slider ? 1 : 0;
    }
    const std::vector<sim::DrawnRect> drawn = Rects(game.frame);
    const auto bars = std::count_if(drawn.begin(), drawn.end(),
                                    [](const sim::DrawnRect& r) { return r.height == 0.02f; });
    EXPECT_EQ(bars, sliders) << "one bar for each slider row";
    EXPECT_NEAR(bar("Duration").width, 0.13, 1e-6); // 1.0 fills the band
    EXPECT_NEAR(bar("Duration").x, 0.073, 1e-6);
    EXPECT_NEAR(bar("Initial Boost").width, 0.0013, 1e-6);
    EXPECT_NEAR(bar("Power").width, 0.001, 1e-7);
    EXPECT_NEAR(bar("Power").x, 0.0085, 1e-6);
}

TEST_F(MenuDrawing, submenu_path_toggles_and_page_of_ten_rows) {
    BootWithMenuKey();
    std::uint32_t flagInt = 3;
    bool flagBool = false;
    // The root page is full: the last row, the Keys page, steps aside for the
    // test's page and comes back at the end; its rows stay, as the menu names
    // them when it opens.
    MenuItem* const keys = rootPage.children[kMenuPageSlots - 1];
    rootPage.children[kMenuPageSlots - 1] = nullptr;
    MenuItem* page = AddMenuRow(rootPage, "Extras", 8, MenuItemKind::Submenu, "~b~", "More.");
    ASSERT_NE(page, nullptr);
    MenuItem* both = AddMenuRow(*page, "Int", 0, MenuItemKind::Toggle, "", "int set");
    both->intValue = &flagInt;
    both->boolValue = &flagBool;
    AddMenuRow(*page, "None", 0, MenuItemKind::Toggle, " x", "nothing bound");
    for (int i = 2; i < 9; ++i) {
        ASSERT_NE(AddMenuRow(*page, "Row", 0, MenuItemKind::Action, "", ""), nullptr);
    }
    MenuItem* deeper = AddMenuRow(*page, "Deeper", 0, MenuItemKind::Submenu, "!", "Further.");
    ASSERT_NE(deeper, nullptr);
    AddMenuRow(*deeper, "Row", 0, MenuItemKind::Action, "", "");
    EXPECT_EQ(AddMenuRow(*page, "Eleventh", 0, MenuItemKind::Action, "", ""), nullptr);

    OpenFully();
    Tap(VK_PAD8); // up from Duration wraps to "Extras"
    const std::uint64_t frame = Tap(VK_PAD5);
    EXPECT_EQ(TextsOfScale(frame, 0.35f), std::vector<std::string>{"Main Menu->Extras~b~"});
    const std::vector<std::string> rows = RowTexts(frame);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], "Int~g~: ON");
    EXPECT_EQ(rows[1], "None x~r~: OFF");
    flagBool = true;
    flagInt = 0;
    sim::Step();
    EXPECT_EQ(RowTexts(game.frame)[0], "Int~g~: ON");
    flagBool = false;
    sim::Step();
    EXPECT_EQ(RowTexts(game.frame)[0], "Int~r~: OFF");
    const std::vector<std::string> help = TextsOfScale(game.frame, 0.21f);
    EXPECT_EQ(help, std::vector<std::string>{"int set"});
    for (const sim::DrawItem& item : game.world.DrawList(game.frame)) {
        if (item.kind == sim::DrawItem::Text && item.text.text == "int set") {
            EXPECT_NEAR(item.text.y, 0.6225, 1e-6);
        }
    }
    // A page two levels down names only its direct parent, by its label.
    Tap(VK_PAD8); // wraps to "Deeper"
    EXPECT_EQ(TextsOfScale(Tap(VK_PAD5), 0.35f), std::vector<std::string>{"Extras->Deeper!"});
    delete page;
    rootPage.children[kMenuPageSlots - 1] = keys;
}

} // namespace
