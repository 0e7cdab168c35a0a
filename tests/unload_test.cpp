// ScriptHookV's developer mode unloads every module and loads it again: the
// module must make ScriptHookV forget its script before its code goes away.

#include "host/script_main.h"
#include "turbo_fixture.h"

namespace {

using Unload = TurboTest;

TEST_F(Unload, process_detach_mid_boost_only_unregisters_the_script) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    const std::size_t before = game.calls.size();

    EXPECT_EQ(DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_DETACH, nullptr),
              TRUE);
    ASSERT_EQ(game.calls.size(), before + 1) << "nothing but the one call";
    EXPECT_EQ(game.calls.back().name, "scriptUnregister");
    EXPECT_EQ(game.script.unregistrations, 1) << "with the module's own handle";
    EXPECT_FALSE(game.script.running);

    sim::RunFrames(30);
    EXPECT_EQ(game.calls.size(), before + 1) << "the script never runs again";
}

} // namespace
