#include "screen/draw_primitives.h"

#include "game/natives.h"
#include "screen/placement.h"

using namespace native;

void DrawRect(float x, float y, float width, float height, std::int32_t red, std::int32_t green,
              std::int32_t blue, std::int32_t alpha) {
    DRAW_RECT(x, y, width, height, red, green, blue, alpha);
}

namespace {

// "STRING" is the game's label for a text made of literal components.
void DrawLiteralText(float x, float y, const char* text) {
    _SET_TEXT_ENTRY("STRING");
    _ADD_TEXT_COMPONENT_STRING(text);
    _DRAW_TEXT(x, y);
}

} // namespace

void DrawMenuText(float x, float y, float scale, const char* text) {
    SET_TEXT_FONT(0);
    SET_TEXT_SCALE(scale, scale);
    SET_TEXT_DROPSHADOW(50, 0, 0, 0, 0);
    SET_TEXT_COLOUR(255, 255, 255, 255);
    SET_TEXT_WRAP(placement.menuWrapStart, placement.menuWrapEnd);
    SET_TEXT_CENTRE(true);
    SET_TEXT_OUTLINE();
    SET_TEXT_EDGE(1, 0, 0, 0, 205);
    DrawLiteralText(x, y, text);
}

void DrawNoticeText(float y, const char* text) {
    SET_TEXT_FONT(0);
    SET_TEXT_SCALE(0.36f, 0.36f);
    SetTextColourWhite();
    SET_TEXT_WRAP(placement.noticeWrapStart, placement.noticeWrapEnd);
    SET_TEXT_CENTRE(true);
    SetTextDropShadowOff();
    SetTextEdgeBlack();
    DrawLiteralText(placement.noticeX, y, text);
}

void SetTextColourWhite() { SET_TEXT_COLOUR(255, 255, 255, 255); }

void SetTextDropShadowOff() { SET_TEXT_DROPSHADOW(0, 0, 0, 0, 0); }

void SetTextEdgeBlack() { SET_TEXT_EDGE(1, 0, 0, 0, 205); }
