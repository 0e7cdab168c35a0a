// ScriptHookV's developer mode unloads every module and loads it again: the
// module must make ScriptHookV forget its script before its code goes away,
// and let its log go. At process exit it must leave ScriptHookV alone.

#include "script/script_main.h"
#include "sim/file_calls.h"
#include "turbo_fixture.h"

namespace {

using Unload = TurboTest;

TEST_F(Unload, free_library_mid_boost_only_unregisters_the_script) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    const std::size_t before = game.calls.size();

    // FreeLibrary: the loader passes no `reserved`.
    ASSERT_EQ(sim::platform::OpenFileCount(), 1u) << "the log's handle";
    EXPECT_EQ(DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_DETACH, nullptr),
              TRUE);
    ASSERT_EQ(game.calls.size(), before + 2) << "nothing but the two calls";
    EXPECT_EQ(game.calls[before].name, "scriptUnregister");
    EXPECT_EQ(game.script.unregistrations, 1) << "with the module's own handle";
    EXPECT_FALSE(game.script.running);
    EXPECT_EQ(game.calls[before + 1].name, "CloseHandle");
    EXPECT_EQ(sim::platform::OpenFileCount(), 0u) << "the log let go";

    sim::RunFrames(30);
    EXPECT_EQ(game.calls.size(), before + 2) << "the script never runs again";
}

TEST_F(Unload, process_exit_mid_boost_calls_nothing) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    const std::size_t before = game.calls.size();

    // Process exit: the loader passes a non-null `reserved`.
    int exiting = 0;
    EXPECT_EQ(DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_DETACH, &exiting),
              TRUE);
    EXPECT_EQ(game.calls.size(), before) << "no call into ScriptHookV or Windows";
    EXPECT_EQ(game.script.unregistrations, 0);
    EXPECT_EQ(sim::platform::OpenFileCount(), 1u) << "the process's end closes the log";
}

} // namespace
