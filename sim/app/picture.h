#pragma once
// Pictures of what the module asked the game to draw: a frame's draw list,
// drawn with cairo at the game's screen size (1920x1080 unless a scenario or
// --screen says otherwise) on a plain road-and-sky backdrop, and the
// notification feed above the minimap at the bottom left. As in the game,
// rectangles take fractions of the picture's width and text is sized by its
// height alone, so a design for 16:9 stretches on a wider screen; the game's
// own minimap and feed keep their shape, inside the safe zone, on the middle
// screen of three (a picture 3.7 times as wide as high or wider, whose
// screens' edges are drawn).
//
// Text scale to pixels: font 0 is drawn in DejaVu Sans with an em of
// scale x 65 px on a 1080-line screen, the text's top y at the top of the
// font's line box. A menu row's text (scale 0.32) is drawn 0.010 below the top
// of its 0.0425-high band; at 65 px its line box (1.164 em) fills the band
// less that margin on both sides, so the row sits centred in its band as the
// game shows it.

#include "sim/types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace simapp {

inline constexpr int kPictureWidth = 1920;
inline constexpr int kPictureHeight = 1080;
// Em size of font 0 at text scale 1, in pixels of a 1080-line screen.
inline constexpr double kFontPixelsPerScale = 65.0;
// Font 0's letters are narrower than DejaVu Sans': letters are drawn at this
// fraction of their width, which fits the first-run notice's longest line in
// its box as the game shows it.
inline constexpr double kFontWidthFactor = 0.82;

struct Rgb {
    int red = 0, green = 0, blue = 0;
};

class Picture {
public:
    Picture(int width, int height);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb Pixel(int x, int y) const;
    bool SavePng(const std::string& path) const;
    // Replaces the picture with a PNG file's; false, leaving it as it was,
    // when the file cannot be read.
    bool LoadPng(const std::string& path);
    cairo_surface_t* Surface() const { return surface_; }

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
};

struct FeedLine {
    std::string text;
    double ageSeconds = 0.0;
};

struct PictureContent {
    bool backdrop = true; // false: plain black, for measuring ink
    std::vector<sim::DrawItem> items;
    std::vector<FeedLine> feed; // oldest first
    // The game's state when it is not plain play ("paused", "busy: cutscene"),
    // labelled at the top centre in the live HUD's style: the simulator's
    // note, not the module's drawing.
    std::string gameState;
    // The player's safe zone (0.5 to 1.0): the game's own minimap and feed
    // keep inside it.
    float safeZone = 1.0f;
};

void Draw(Picture& picture, const PictureContent& content);

// A text as the pictures lay it out, in pixels of a 1920x1080 picture: its
// lines and its widest line. Font 0 at `scale`, wrapped at `limit` pixels, as
// the draw list's texts are; and a feed message in its box above the minimap,
// whose room for text is FeedTextRoom(). A word wider than the room stands
// on a line of its own, so `width` may exceed it.
struct TextLayout {
    int lines = 0;
    double width = 0.0;
};
TextLayout MeasureText(const std::string& text, double scale, double limit);
TextLayout MeasureFeedText(const std::string& text);
double FeedTextRoom();

// `from` drawn over the whole of `to`, filtered bilinearly: a 1920x1080
// picture brought to a window's size.
void ScaleTo(const Picture& from, Picture& to);

// The colour an inline code (the letter between the '~') selects; false for a
// code that is not a colour.
bool CodeColour(char code, Rgb& colour);

} // namespace simapp
