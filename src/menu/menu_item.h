#pragma once
// The menu tree: every record is a row of its parent page and a page of its
// own rows at once. The root page owns the whole tree.

#include "settings/texts.h"

#include <cstddef>
#include <cstdint>

enum class MenuItemKind : std::int32_t {
    Submenu = 0,  // select enters it as a page
    Root = 1,     // the root page itself; its keys do nothing
    Action = 2,   // select runs the item action
    Slider = 3,   // left/right step the value, drawn with a bar
    Selector = 4, // left/right switch the choice shown in valueText
    Toggle = 5,   // select runs the item action, drawn ON/OFF
};

inline constexpr std::size_t kMenuPageSlots = 10;

// Room for the longest texts the settings tree holds in any language, with
// its NUL, in UTF-8; the table of texts checks its own against these at
// compile time, and longer texts are cut short.
inline constexpr std::size_t kMenuLabelSize = kLabelRoom;
inline constexpr std::size_t kMenuValueTextSize = kValueRoom;
inline constexpr std::size_t kMenuDescriptionSize = kDescriptionRoom;

struct MenuItem {
    char label[kMenuLabelSize];
    std::int8_t selectedIndex;
    std::int32_t id;
    MenuItemKind kind;
    char valueText[kMenuValueTextSize];
    char description[kMenuDescriptionSize];
    MenuItem* parent;                   // not owning; null for the root page
    MenuItem* children[kMenuPageSlots]; // owning; the first null slot ends the list
    float* floatValue;                  // not owning: a Slider's setting, 0.0 to 1.0
    std::uint32_t* intValue;            // not owning: a Toggle's value, ON when non-zero
    bool* boolValue;                    // not owning: a Toggle's value, ON when true
    bool isOpen;                        // read and written on the root page only

    // Copies the three texts; no rows, no bound values, row 0 selected. The
    // caller hangs the record in the parent's next free slot.
    MenuItem(MenuItem* parentPage, const char* labelText, std::int32_t itemId,
             MenuItemKind itemKind, const char* value, const char* descriptionText);
    // Frees the rows depth first; bound values belong to Settings and are
    // left alone.
    ~MenuItem();

    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
};

// Copies text into a record's fixed buffer, cutting it short when it does
// not fit; the buffer always ends in a NUL.
void CopyMenuText(char* target, std::size_t size, const char* text);

template <std::size_t N>
void SetMenuText(char (&target)[N], const char* text) {
    CopyMenuText(target, N, text);
}

// Creates a row on the heap and hangs it in the page's next free slot.
// Null, with nothing created, when the page is full or memory ran out.
MenuItem* AddMenuRow(MenuItem& page, const char* label, std::int32_t id, MenuItemKind kind,
                     const char* valueText, const char* description);

// The page's row in slot `index`; null for an empty slot or an index
// outside the page.
MenuItem* RowAt(const MenuItem& page, int index);

// A Toggle reads ON from its bool when that is set and true, else from its
// int when that is set and non-zero.
bool ToggleIsOn(const MenuItem& row);

// "Main Menu": owns every row from module load to unload; its isOpen is the
// menu's open flag. Rows added by BuildSettingsMenu; navigated by the menu
// controller; drawn by DrawMenu.
extern MenuItem rootPage;
// The page drawn and navigated; null until the menu is first opened. Written
// by the menu controller, read by DrawMenu.
extern MenuItem* currentPage;
// How far the whole menu sits left of its place: 0.2 hidden, 0.0 shown.
// Written by the menu controller's slide, read by DrawMenu.
extern float slideOffset;
