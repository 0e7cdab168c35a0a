// The menu tree's records: owned texts that never overflow, and a page that
// frees its whole tree once (LeakSanitizer fails the run on a leak, ASan on a
// double free).

#include "menu/menu_item.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MenuTree, destroying_a_deep_page_frees_every_row_once_and_leaves_values_alone) {
    float setting = 0.5f;
    int rows = 0;
    {
        MenuItem page(nullptr, "Deep", 0, MenuItemKind::Root, "", "");
        MenuItem* level = &page;
        for (int depth = 0; depth < 6; ++depth) {
            MenuItem* next = nullptr;
            for (int i = 0; i < 10; ++i) {
                MenuItem* row = AddMenuRow(*level, "Row", i, MenuItemKind::Submenu, "", "");
                ASSERT_NE(row, nullptr);
                row->floatValue = &setting;
                next = row;
                ++rows;
            }
            EXPECT_EQ(AddMenuRow(*level, "Extra", 0, MenuItemKind::Action, "", ""), nullptr);
            level = next;
        }
    }
    EXPECT_EQ(rows, 60);
    EXPECT_EQ(setting, 0.5f);
}

TEST(MenuTree, texts_longer_than_their_buffers_are_cut_short) {
    const std::string longText(200, 'x');
    MenuItem row(nullptr, longText.c_str(), 1, MenuItemKind::Action, longText.c_str(),
                 longText.c_str());
    EXPECT_EQ(std::string(row.label), longText.substr(0, kMenuLabelSize - 1));
    EXPECT_EQ(std::string(row.valueText), longText.substr(0, kMenuValueTextSize - 1));
    EXPECT_EQ(std::string(row.description), longText.substr(0, kMenuDescriptionSize - 1));
    SetMenuText(row.valueText, "short");
    EXPECT_STREQ(row.valueText, "short");
}

} // namespace
