#pragma once
// Where the module's drawing lands on the player's screen. Every position and
// size in the drawing code is a design for a 16:9 screen with no safe zone.
// The game places rectangles in fractions of the screen's width but sizes
// text by its height, so on another screen every width is scaled by
// (16/9) / aspect to keep its text inside it; and each thing keeps to its own
// edges of the area the module draws in: the menu to the left and top, the
// first-run notice to the right and top, the recharge bar to the middle and
// bottom. That area is the player's safe zone, on the middle screen of three.
//
// Each mapping is x * widthScale + offset, worked out once per answer of the
// game: on a 16:9 screen at the largest safe zone the scale is exactly 1 and
// every offset exactly 0, so that every position is the design's, to the bit.

struct ScreenPlacement {
    float widthScale; // every width, the slider bars' and the menu's slide too
    float leftX;      // x offsets by anchor
    float rightX;
    float centreX;
    float topY; // y offsets: the safe zone's margin, and its negative
    float bottomY;
    // What the text styles fix themselves, placed with the rest so that a
    // text costs no more than before: the menu's wrap edges, the notice's
    // column and its wrap edges (draw_primitives.h).
    float menuWrapStart;
    float menuWrapEnd;
    float noticeX;
    float noticeWrapStart;
    float noticeWrapEnd;
};

// Written by AskScreen alone; read by every drawing pass.
extern ScreenPlacement placement;

inline float PlaceWidth(float width) { return width * placement.widthScale; }
inline float PlaceLeft(float x) { return x * placement.widthScale + placement.leftX; }
inline float PlaceRight(float x) { return x * placement.widthScale + placement.rightX; }
inline float PlaceCentre(float x) { return x * placement.widthScale + placement.centreX; }
inline float PlaceTop(float y) { return y + placement.topY; }
inline float PlaceBottom(float y) { return y + placement.bottomY; }

// Asks the game for its aspect ratio and safe zone and works the placement
// out again: at script start (`atStart`), at the first pass after a pause
// (the display settings are in the pause menu) and when the menu opens (a
// window resized needs no pause). Never per frame.
void AskScreen(bool atStart);

// Adds "screen 2.370, safe zone 0.90" to the log line being built: what the
// placement was worked out for, after the answers were made sane.
void LogScreen();
