#include "menu/menu_draw.h"

#include "menu/menu_item.h"
#include "screen/draw_primitives.h"
#include "screen/placement.h"

#include <cstddef>

namespace {

constexpr float kMenuWidth = 0.15f;
constexpr float kRowHeight = 0.0425f;
constexpr float kBarFullWidth = 0.13f;

constexpr const char* kTitle = "Arcwind";

// A line of menu text built in place each frame; cut short rather than
// written past its end.
template <std::size_t N>
struct TextLine {
    char text[N] = {};
    std::size_t length = 0;

    void Append(const char* part) {
        while (*part != '\0' && length + 1 < N) {
            text[length++] = *part++;
        }
        text[length] = '\0';
    }
};

// "parent->page" plus the page's value text.
using PathLine = TextLine<2 * kMenuLabelSize + 2 + kMenuValueTextSize>;
// Label, value text and the longest toggle suffix.
using RowLine = TextLine<kMenuLabelSize + kMenuValueTextSize + kToggleRoom>;

float RowOffset(int row) { return static_cast<float>(row + 1) * kRowHeight; }

// The menu keeps to the left and the top of the area the module draws in:
// its x comes placed (ox), its heights stay as designed.
void DrawHeader(float ox) {
    DrawRect(ox, PlaceTop(0.102f), PlaceWidth(kMenuWidth), 0.085f, 30, 30, 100, 220);
    DrawMenuText(ox, PlaceTop(0.088f), 0.4f, kTitle);
    DrawMenuText(ox, PlaceTop(0.1285f), 0.16f, Text(TextId::MenuCredit));
}

void DrawPath(float ox, const MenuItem& page) {
    PathLine path;
    if (page.parent != nullptr) {
        path.Append(page.parent->label);
        path.Append("->");
    }
    path.Append(page.label);
    path.Append(page.valueText);
    DrawRect(ox, PlaceTop(0.166f), PlaceWidth(kMenuWidth), kRowHeight, 10, 10, 50, 200);
    DrawMenuText(ox, PlaceTop(0.155f), 0.35f, path.text);
}

// The bar keeps its left edge at 0.008 and grows to the right with the value.
void DrawSliderBar(const MenuItem& row, float o, bool selected) {
    const float scaled = *row.floatValue * kBarFullWidth;
    const float w = scaled > 0.001f ? scaled : 0.001f;
    const float x = PlaceLeft((0.073f - slideOffset) - (kBarFullWidth - w) * 0.5f);
    const float y = PlaceTop(o + 0.167f);
    if (selected) {
        DrawRect(x, y, PlaceWidth(w), 0.02f, 150, 150, 150, 205);
    } else {
        DrawRect(x, y, PlaceWidth(w), 0.02f, 90, 120, 180, 205);
    }
}

void DrawRow(float ox, const MenuItem& row, int i, bool selected) {
    const float o = RowOffset(i);
    RowLine line;
    line.Append(row.label);
    line.Append(row.valueText);
    if (row.kind == MenuItemKind::Toggle) {
        line.Append(Text(ToggleIsOn(row) ? TextId::On : TextId::Off));
    }
    DrawMenuText(ox, PlaceTop(o + 0.155f), 0.32f, line.text);
    // The selected row has no dark band, so the white highlight shows.
    if (!selected) {
        DrawRect(ox, PlaceTop(o + 0.16625f), PlaceWidth(kMenuWidth), kRowHeight, 0, 0, 0, 180);
    }
    if (row.kind == MenuItemKind::Slider) {
        DrawSliderBar(row, o, selected);
    }
}

} // namespace

void DrawMenu() {
    if (currentPage == nullptr) {
        return;
    }
    const MenuItem& page = *currentPage;
    // The slide is a width too: the menu moves by its own widths.
    const float ox = PlaceLeft(0.075f - slideOffset);
    const int s = page.selectedIndex;

    DrawHeader(ox);
    DrawPath(ox, page);
    // 0.1662, not the dark bands' 0.16625: the highlight has always sat a hair
    // higher than the row it marks.
    DrawRect(ox, PlaceTop(RowOffset(s) + 0.1662f), PlaceWidth(kMenuWidth), kRowHeight, 250, 250,
             250, 235);

    int n = 0;
    while (n < static_cast<int>(kMenuPageSlots) && page.children[n] != nullptr) {
        DrawRow(ox, *page.children[n], n, n == s);
        ++n;
    }

    const MenuItem* selectedRow = RowAt(page, s);
    const float d = RowOffset(n);
    DrawMenuText(ox, PlaceTop(d + 0.155f), 0.21f,
                 selectedRow != nullptr ? selectedRow->description : "");
    DrawRect(ox, PlaceTop(d + 0.16625f), PlaceWidth(kMenuWidth), kRowHeight, 247, 140, 0, 180);
}
