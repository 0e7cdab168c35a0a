#pragma once
// Immediate-mode drawing shared by the menu, the first-run notice and the
// notifications. What they draw shows on the current frame only.
// Positions are screen fractions from the top left; rectangles by centre and
// size, text by centre x and top y; colours 0-255. Callers pass positions
// already placed for the player's screen (screen/placement.h); what a text
// style fixes itself, its wrap edges and the notice's x, it places.

#include <cstdint>

// The menu's texts wrap between its left edge and this far right of it; the
// notice's lines are centred on this x and wrap at the screen's edges, 0 and
// 1, as placed for the notice's right anchor.
inline constexpr float kMenuWrapRight = 0.14f;
inline constexpr float kNoticeTextX = 0.8f;

void DrawRect(float x, float y, float width, float height, std::int32_t red, std::int32_t green,
              std::int32_t blue, std::int32_t alpha);

// Menu text: font 0, white, outlined, drop shadow 50, wrapped between the
// menu's left edge and 0.14 to its right.
void DrawMenuText(float x, float y, float scale, const char* text);

// Notice text: font 0, scale 0.36, white, centred on x 0.8 and wrapped at
// 0.0 and 1.0 as the right-anchored notice places them, no outline and no
// shadow.
void DrawNoticeText(float y, const char* text);

void SetTextColourWhite();
void SetTextDropShadowOff();
void SetTextEdgeBlack();
