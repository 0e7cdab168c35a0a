#include "scenario_support.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace scenario {

namespace {

int failures = 0;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

void Expect(bool ok, const std::string& what) {
    if (ok) {
        std::printf("ok    %s\n", what.c_str());
    } else {
        ++failures;
        std::printf("FAIL  %s\n", what.c_str());
    }
    std::fflush(stdout);
}

int FailureCount() { return failures; }

Session::Session(const Paths& paths, const std::string& folderName) : paths_(paths) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string leaf = "veloxan-game-" + std::to_string(GetCurrentProcessId()) +
                             (folderName.empty() ? "" : " " + folderName);
    folder_ = std::filesystem::path(temp) / std::u8string(leaf.begin(), leaf.end());
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    const bool made = CreateDirectoryW(folder_.c_str(), nullptr) != FALSE;
    // The module names its INI file ".\Veloxan.ini": the game's current
    // directory is the game folder.
    const bool entered = made && SetCurrentDirectoryW(folder_.c_str()) != FALSE;
    const std::u8string shown = folder_.u8string();
    Expect(entered, "a fresh game folder is the current directory: " +
                        std::string(shown.begin(), shown.end()));

    sim::Options options;
    options.fileRoot = std::string(shown.begin(), shown.end());
    sim::Reset(options);
}

Session::~Session() {
    sim::StopScript();
    if (loaded.module != nullptr) {
        // The game unloads its script modules at exit; the module's static
        // objects (the menu tree among them) are destroyed here.
        Expect(sim::windows::UnloadModule(loaded), "Veloxan.asi unloads");
    }
    for (const std::string& fault : game.faults) {
        Expect(false, "simulated game fault: " + fault);
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void Session::WriteIni(const std::string& text) {
    std::ofstream out(folder_ / "Veloxan.ini", std::ios::binary);
    out << text;
}

std::string Session::ReadIni() const { return ReadFile(folder_ / "Veloxan.ini"); }

bool Session::IniExists() const {
    return GetFileAttributesW((folder_ / "Veloxan.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Session::ReleaseIni() const { return ReadFile(paths_.releaseIni); }

std::string Session::ReadLog() const { return ReadFile(folder_ / "Veloxan.log"); }

bool Session::Boot() {
    const std::filesystem::path installed = folder_ / "Veloxan.asi";
    if (!CopyFileW(std::filesystem::path(paths_.module).c_str(), installed.c_str(), TRUE)) {
        Expect(false, "Veloxan.asi is copied into the game folder");
        return false;
    }
    std::string error;
    if (!sim::windows::LoadGame(paths_.standIn, installed, loaded, error)) {
        Expect(false, "the game loads ScriptHookV.dll and Veloxan.asi: " + error);
        return false;
    }
    if (beforeStart) {
        beforeStart(loaded.module);
    }
    sim::StartScript();
    sim::Step();
    return true;
}

bool Session::Unload() {
    const bool unloaded = sim::windows::UnloadModule(loaded);
    Expect(unloaded, "FreeLibrary unloads Veloxan.asi");
    return unloaded;
}

bool Session::LoadAgain() {
    std::string error;
    if (!sim::windows::LoadModule(folder_ / "Veloxan.asi", loaded, error)) {
        Expect(false, "LoadLibrary loads Veloxan.asi again: " + error);
        return false;
    }
    sim::StartScript();
    sim::Step();
    return true;
}

void Session::HoldKey(int vk, std::uint64_t frames) {
    game.input.HoldKeyFrames(vk, game.frame + 1, frames);
}

void Session::HoldButtons(int pad, std::uint16_t mask, std::uint64_t frames) {
    game.input.HoldButtonsFrames(pad, mask, game.frame + 1, frames);
}

std::int32_t Session::DriveCar(float speed) {
    const std::int32_t car = game.world.AddVehicle(sim::VehicleClass::Car, 2);
    game.world.Get(car).speed = speed;
    game.world.EnterVehicle(car);
    return car;
}

std::vector<std::uint64_t> Session::FramesPolling(int vk, std::uint64_t from,
                                                  std::uint64_t to) const {
    std::vector<std::uint64_t> frames;
    for (const sim::CallRecord* call : game.Calls("GetAsyncKeyState")) {
        if (call->I(0) == vk && call->frame >= from && call->frame <= to &&
            (frames.empty() || frames.back() != call->frame)) {
            frames.push_back(call->frame);
        }
    }
    return frames;
}

std::vector<std::string> Session::FeedTexts() const {
    std::vector<std::string> texts;
    for (const sim::FeedItem& item : game.world.feed) {
        texts.push_back(item.text);
    }
    return texts;
}

bool Session::Posted(const std::string& text) const {
    for (const sim::FeedItem& item : game.world.feed) {
        if (item.text == text) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> Session::DrawnTexts(std::uint64_t frame) const {
    std::vector<std::string> texts;
    for (const sim::DrawItem& item : game.world.DrawList(frame)) {
        if (item.kind == sim::DrawItem::Text) {
            texts.push_back(item.text.text);
        }
    }
    return texts;
}

} // namespace scenario
