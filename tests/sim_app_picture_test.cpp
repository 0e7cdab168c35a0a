// The picture renderer on small known draw lists, on a black screen: where
// rectangles land and in what colour, where text ink sits, and the colour
// codes.

#include "sim/app/picture.h"

#include <gtest/gtest.h>

namespace {

sim::DrawItem Rect(float x, float y, float w, float h, int r, int g, int b, int a) {
    sim::DrawItem item;
    item.rect = {x, y, w, h, r, g, b, a};
    return item;
}

sim::DrawItem Text(float x, float y, float scale, const char* text) {
    sim::DrawItem item;
    item.kind = sim::DrawItem::Text;
    item.text.x = x;
    item.text.y = y;
    item.text.text = text;
    item.text.style.scaleX = scale;
    item.text.style.scaleY = scale;
    item.text.style.centre = true;
    return item;
}

simapp::Picture Drawn(const std::vector<sim::DrawItem>& items, int width = simapp::kPictureWidth) {
    simapp::Picture picture(width, simapp::kPictureHeight);
    simapp::PictureContent content;
    content.backdrop = false;
    content.items = items;
    simapp::Draw(picture, content);
    return picture;
}

struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};

Ink InkOf(const simapp::Picture& p, int x0, int x1) {
    Ink ink;
    for (int y = 0; y < p.Height(); ++y) {
        for (int x = x0; x < x1; ++x) {
            const simapp::Rgb c = p.Pixel(x, y);
            if (c.red + c.green + c.blue > 300) {
                ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y),
                       std::max(ink.bottom, y)};
            }
        }
    }
    return ink;
}

TEST(PictureRenderer, RectanglesLandAtTheirCentreWithTheirColour) {
    struct Case {
        sim::DrawItem rect;
        int x, y;           // a pixel inside, near an edge
        int outX, outY;     // the pixel just past that edge
        simapp::Rgb inside; // over black
    };
    const Case cases[] = {
        // 192x216 px centred at (480, 540): x 384..575, y 432..647.
        {Rect(0.25f, 0.5f, 0.1f, 0.2f, 200, 10, 10, 255), 384, 540, 383, 540, {200, 10, 10}},
        {Rect(0.25f, 0.5f, 0.1f, 0.2f, 200, 10, 10, 255), 480, 647, 480, 648, {200, 10, 10}},
        // Half alpha over black: half the colour.
        {Rect(0.75f, 0.25f, 0.05f, 0.05f, 255, 255, 255, 128),
         1440,
         270,
         1440,
         240,
         {128, 128, 128}},
    };
    for (const Case& c : cases) {
        const simapp::Picture p = Drawn({c.rect});
        const simapp::Rgb in = p.Pixel(c.x, c.y);
        EXPECT_NEAR(in.red, c.inside.red, 1);
        EXPECT_NEAR(in.green, c.inside.green, 1);
        EXPECT_NEAR(in.blue, c.inside.blue, 1);
        const simapp::Rgb out = p.Pixel(c.outX, c.outY);
        EXPECT_EQ(out.red + out.green + out.blue, 0) << c.outX << "," << c.outY;
    }
}

// Scale 0.5 is a 32.5 px em. DejaVu Sans puts the top of a capital H
// 0.199 em below the line box's top (ascent 0.928, cap height 0.729) and its
// foot on the baseline, 0.928 em below.
TEST(PictureRenderer, TextInkIsCentredOnXBelowTopY) {
    const simapp::Picture p = Drawn({Text(0.5f, 0.4f, 0.5f, "HHHH")});
    const Ink ink = InkOf(p, 0, p.Width());
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 960.0, 2.0);
    // Within the 2 px that the font's hinting may move an edge.
    EXPECT_NEAR(ink.top, 432.0 + 0.199 * 32.5, 2.0);
    EXPECT_NEAR(ink.bottom, 432.0 + 0.928 * 32.5, 2.0);
}

// As the game draws: a rectangle takes a share of the width (a third more
// pixels on 21:9, 2560x1080, than on 16:9), a text's size the height alone.
TEST(PictureRenderer, RectanglesTakeTheWidthAndTextTheHeight) {
    for (const int width : {1920, 2560}) {
        SCOPED_TRACE(width);
        const Ink band =
            InkOf(Drawn({Rect(0.5f, 0.5f, 0.1f, 0.1f, 255, 255, 255, 255)}, width), 0, width);
        EXPECT_EQ(band.right - band.left + 1, width / 10);
        const Ink letters = InkOf(Drawn({Text(0.5f, 0.4f, 0.5f, "HHHH")}, width), 0, width);
        EXPECT_NEAR(letters.right - letters.left, 4 * 0.82 * 0.75 * 32.5, 6.0);
        EXPECT_NEAR((letters.left + letters.right) / 2.0, width / 2.0, 2.0);
    }
}

// A menu row: text at the row's top y + 0.010, its band 0.0425 high around
// y + 0.01125. The mapping puts the ink of a capital and a descender inside
// the band with room to spare on both sides.
TEST(PictureRenderer, MenuRowTextFitsItsBand) {
    const simapp::Picture p = Drawn({Text(0.075f, 0.155f, 0.32f, "Sensitivity")});
    const Ink ink = InkOf(p, 0, 300);
    const double bandTop = (0.16625 - 0.02125) * 1080, bandBottom = (0.16625 + 0.02125) * 1080;
    EXPECT_GT(ink.top - bandTop, 8.0);
    EXPECT_GT(bandBottom - ink.bottom, 8.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (bandTop + bandBottom) / 2.0, 4.0);
}

// "game paused" in 30 px DejaVu Sans Mono (0.602 em a letter), 12 px of
// margin each side, in a framed box whose top is 0.02 of the height down:
// the top centre, above everything the module draws there.
TEST(PictureRenderer, GameStateLabelSitsFramedAtTheTopCentre) {
    simapp::Picture p(simapp::kPictureWidth, simapp::kPictureHeight);
    simapp::PictureContent content;
    content.backdrop = false;
    content.gameState = "paused";
    simapp::Draw(p, content);
    const Ink ink = InkOf(p, 0, p.Width());
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 960.0, 2.0);
    EXPECT_NEAR(ink.right - ink.left, 11 * 0.602 * 30 + 24, 3.0);
    EXPECT_NEAR(ink.top, 21.6, 2.0);
    EXPECT_LT(ink.bottom, 90);
    // The frame is the HUD's cyan; its dashes start at the top left corner.
    const simapp::Rgb frame = p.Pixel(ink.left + 5, ink.top + 1);
    EXPECT_EQ(frame.red, 0);
    EXPECT_NEAR(frame.green, 219, 1);
    EXPECT_EQ(frame.blue, 255);
}

TEST(PictureRenderer, ColourCodesSwitchTheColourAndSGoesBack) {
    const simapp::Picture p = Drawn({Text(0.5f, 0.4f, 1.0f, "~r~HH~s~HH")});
    const Ink ink = InkOf(p, 0, p.Width());
    // The brightest pixel of each half: red H on the left, white on the right.
    auto brightest = [&](int x0, int x1) {
        simapp::Rgb best;
        for (int y = ink.top; y <= ink.bottom; ++y) {
            for (int x = x0; x < x1; ++x) {
                const simapp::Rgb c = p.Pixel(x, y);
                if (c.red + c.green + c.blue > best.red + best.green + best.blue) {
                    best = c;
                }
            }
        }
        return best;
    };
    const int middle = (ink.left + ink.right) / 2;
    const simapp::Rgb left = brightest(ink.left, middle - 4);
    const simapp::Rgb right = brightest(middle + 4, ink.right + 1);
    EXPECT_EQ(left.red, 224);
    EXPECT_EQ(left.green, 50);
    EXPECT_EQ(left.blue, 50);
    EXPECT_EQ(right.red + right.green + right.blue, 3 * 255);
}

} // namespace
