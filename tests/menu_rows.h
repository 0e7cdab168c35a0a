#pragma once
// The settings rows as the module built them under the root page, asked by
// label: the tests find a row's slot and the number of rows here instead of
// counting them out, so that a row added to the table moves no test.

#include "menu/menu_item.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

// Rows hung under the root page.
inline int RowCount() {
    int rows = 0;
    while (RowAt(rootPage, rows) != nullptr) {
        ++rows;
    }
    return rows;
}

// The slot of the root page's row with this label; a failure, and -1, when
// there is none.
inline int RowSlot(const char* label) {
    for (int slot = 0; slot < RowCount(); ++slot) {
        if (std::strcmp(RowAt(rootPage, slot)->label, label) == 0) {
            return slot;
        }
    }
    ADD_FAILURE() << "no row \"" << label << "\" on the root page";
    return -1;
}

// The id ApplyItemAction knows that row by.
inline std::int32_t RowId(const char* label) {
    const int slot = RowSlot(label);
    return slot >= 0 ? RowAt(rootPage, slot)->id : 0;
}

// Rows of the whole tree under `page`: its own and its pages' rows.
inline int TreeRowCount(const MenuItem& page = rootPage) {
    int rows = 0;
    for (const MenuItem* row : page.children) {
        if (row != nullptr) {
            rows += 1 + TreeRowCount(*row);
        }
    }
    return rows;
}
