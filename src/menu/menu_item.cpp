#include "menu/menu_item.h"

#include "settings/texts.h"

#include <new>

MenuItem rootPage(nullptr, "Main Menu", 0, MenuItemKind::Root, "", "");
MenuItem* currentPage = nullptr;
float slideOffset = 0.2f;

void CopyMenuText(char* target, std::size_t size, const char* text) {
    if (size == 0) {
        return;
    }
    std::size_t length = 0;
    if (text != nullptr) {
        while (length + 1 < size && text[length] != '\0') {
            target[length] = text[length];
            ++length;
        }
        // Cut short, the text keeps whole letters only.
        if (text[length] != '\0') {
            length = WholeUtf8Length(target, length);
        }
    }
    target[length] = '\0';
}

MenuItem::MenuItem(MenuItem* parentPage, const char* labelText, std::int32_t itemId,
                   MenuItemKind itemKind, const char* value, const char* descriptionText)
    : label{}, selectedIndex(0), id(itemId), kind(itemKind), valueText{}, description{},
      parent(parentPage), children{}, floatValue(nullptr), intValue(nullptr), boolValue(nullptr),
      isOpen(false) {
    SetMenuText(label, labelText);
    SetMenuText(valueText, value);
    SetMenuText(description, descriptionText);
}

MenuItem::~MenuItem() {
    for (MenuItem*& row : children) {
        delete row;
        row = nullptr;
    }
}

MenuItem* AddMenuRow(MenuItem& page, const char* label, std::int32_t id, MenuItemKind kind,
                     const char* valueText, const char* description) {
    for (MenuItem*& slot : page.children) {
        if (slot == nullptr) {
            slot = new (std::nothrow) MenuItem(&page, label, id, kind, valueText, description);
            return slot;
        }
    }
    return nullptr;
}

MenuItem* RowAt(const MenuItem& page, int index) {
    if (index < 0 || index >= static_cast<int>(kMenuPageSlots)) {
        return nullptr;
    }
    return page.children[index];
}

bool ToggleIsOn(const MenuItem& row) {
    if (row.boolValue != nullptr && *row.boolValue) {
        return true;
    }
    return row.intValue != nullptr && *row.intValue != 0;
}
