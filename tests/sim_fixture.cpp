#include "sim_fixture.h"

#include "script/script_main.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

void SimTest::SetUp() {
    char pattern[] = "/tmp/veloxan-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    folder = made;
    ResetGame(100000);
}

void SimTest::TearDown() {
    sim::StopScript();
    for (const std::string& fault : game.faults) {
        ADD_FAILURE() << "simulated game fault: " << fault;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void SimTest::ResetGame(std::uint32_t startTick, std::uint32_t msPerFrame) {
    sim::Options options;
    options.startTick = startTick;
    options.msPerFrame = msPerFrame;
    options.fileRoot = folder;
    sim::Reset(options);
}

void SimTest::Boot() {
    ASSERT_EQ(DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_ATTACH, nullptr),
              TRUE);
    sim::StartScript();
    sim::Step();
}

void SimTest::WriteIni(const std::string& text) {
    std::ofstream out(folder + "/Veloxan.ini", std::ios::binary);
    out << text;
}

std::string SimTest::ReadGameFile(const std::string& name) const {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string SimTest::ReadIni() const { return ReadGameFile("Veloxan.ini"); }

bool SimTest::IniExists() const { return std::filesystem::exists(folder + "/Veloxan.ini"); }

void SimTest::HoldKey(int vk, std::uint64_t frames) {
    game.input.HoldKeyFrames(vk, game.frame + 1, frames);
}
