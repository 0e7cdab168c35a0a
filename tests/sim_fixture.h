#pragma once
// A fresh simulated game per test, with its own game folder for the INI file,
// and the module loaded into it the way ScriptHookV loads it.

#include "sim/game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class SimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Resets the game with a custom clock; SetUp already did a default one.
    void ResetGame(std::uint32_t startTick, std::uint32_t msPerFrame = 16);

    // DLL_PROCESS_ATTACH, then ScriptHookV starts the script: the first frame
    // runs ScriptMain's start-up and the main loop's first pass.
    void Boot();

    void WriteIni(const std::string& text);
    std::string ReadIni() const;
    // A file of the game folder, byte for byte; empty when there is none.
    std::string ReadGameFile(const std::string& name) const;
    bool IniExists() const;

    // Holds a key for `frames` frames from the next frame on.
    void HoldKey(int vk, std::uint64_t frames);

    sim::Game& game = sim::game();
    std::string folder;
};

// Virtual-key codes the tests use.
inline constexpr int VK_T = 0x54;
inline constexpr int VK_SHIFT_KEY = 0x10;
inline constexpr int VK_CTRL_KEY = 0x11;
