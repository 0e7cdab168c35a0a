// ScriptHookV starts ScriptMain again in the same loaded module when the game
// reloads its scripts; the module's statics are still as the old pass left
// them.

#include "game/gamepad.h"
#include "menu/menu_item.h"
#include "menu_rows.h"
#include "script/script_main.h"
#include "settings/settings.h"
#include "sim_fixture.h"

namespace {

using ScriptRestart = SimTest;

TEST_F(ScriptRestart, settings_are_reloaded_and_the_picked_pad_is_kept) {
    WriteIni("[Veloxan]\nduration=50\nKEY_PC_MENU=16\n");
    game.input.ConnectPad(1);
    Boot();
    ASSERT_EQ(padIndex, 1);
    ASSERT_EQ(Settings.duration, 0.5f);

    // Open the menu, then reload with a changed file and another pad plugged in.
    HoldKey(VK_T, 2);
    HoldKey(VK_SHIFT_KEY, 2);
    sim::RunFrames(3);
    ASSERT_TRUE(rootPage.isOpen);
    const int rowsBuilt = RowCount();
    ASSERT_GT(rowsBuilt, 0);
    WriteIni("[Veloxan]\nduration=70\nKEY_PC_MENU=16\n");
    game.input.ConnectPad(0);
    const std::size_t pollsBefore = game.Count("XInputGetState");
    sim::RestartScript();
    sim::Step();

    EXPECT_EQ(Settings.duration, 0.7f);
    EXPECT_EQ(padIndex, 1) << "the pad picked at the first start stays";
    EXPECT_FALSE(rootPage.isOpen);
    sim::RunFrames(20);
    const auto polls = game.Calls("XInputGetState");
    ASSERT_GT(polls.size(), pollsBefore) << "the main loop polls the kept pad";
    for (std::size_t k = pollsBefore; k < polls.size(); ++k) {
        EXPECT_EQ(polls[k]->I(0), 1) << "no new search after the restart";
    }
    int rows = 0;
    for (MenuItem* row : rootPage.children) {
        rows += row != nullptr ? 1 : 0;
    }
    EXPECT_EQ(rows, rowsBuilt) << "the rows are built once";
    EXPECT_EQ(game.script.starts, 2);
    EXPECT_EQ(game.script.registrations, 1) << "registration happens only on process attach";
}

TEST_F(ScriptRestart, entry_point_registers_only_on_process_attach) {
    const auto module = static_cast<HINSTANCE>(sim::ModuleHandle());
    EXPECT_EQ(DllMain(module, DLL_THREAD_ATTACH, nullptr), TRUE);
    EXPECT_EQ(DllMain(module, DLL_THREAD_DETACH, nullptr), TRUE);
    EXPECT_EQ(game.script.registrations, 0);
    EXPECT_EQ(DllMain(module, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(game.script.registrations, 1);
    EXPECT_TRUE(game.calls.size() == 1 && game.calls[0].name == "scriptRegister")
        << "no setting is read and no native called in the entry point";
    EXPECT_EQ(DllMain(module, DLL_PROCESS_DETACH, nullptr), TRUE);
    EXPECT_EQ(game.script.registrations, 1);
}

} // namespace
