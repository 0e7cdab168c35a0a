// Bad Veloxan.ini files read by the real Veloxan.asi through Windows' own
// profile functions. Each case starts the module on one file and reads what
// it holds from what it does: the first-run notice, the keys it polls, the
// pad buttons that fire a boost, the launch's camera shake (boost), the spool-up sound (SFX_type),
// the feed (display_notifications), and with a menu key the slider bars (bar width is the fraction
// x 0.13) and the "SFX: " row. The module's two profile imports lead through recorders that print
// the functions' raw answers unchanged.
//
// "bad_ini" runs every case, each in a process of its own (the module's
// statics live as long as the process); "bad_ini:<case>" runs one.

#include "bad_ini_scenarios.h"

#include "bad_ini_cases.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace scenario {

namespace {

using bad_ini::Case;
using bad_ini::Cases;
using bad_ini::Held;
using bad_ini::Setup;

// --- what the profile functions answered -------------------------------------

std::vector<std::string> profileLog;
int writesDone = 0;
int writesFailed = 0;
// Writes of each key, so that a save's keys need not be counted out here.
std::map<std::string, int> writesByKey;

UINT WINAPI RecordedGetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR file) {
    const UINT answer = GetPrivateProfileIntA(section, key, fallback, file);
    profileLog.push_back("read  \"" + std::string(key) + "\" (default " + std::to_string(fallback) +
                         "): " + std::to_string(answer));
    return answer;
}

BOOL WINAPI RecordedWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value,
                                               LPCSTR file) {
    const BOOL ok = WritePrivateProfileStringA(section, key, value, file);
    const DWORD error = GetLastError();
    ++(ok ? writesDone : writesFailed);
    ++writesByKey[key];
    profileLog.push_back("write \"" + std::string(key) + "\"=\"" + std::string(value) + "\": " +
                         (ok ? std::string("done") : "failed, error " + std::to_string(error)));
    SetLastError(error);
    return ok;
}

// --- reading the module ------------------------------------------------------

constexpr float kBarFullWidth = 0.13f;
constexpr float kBarHeight = 0.02f;

// The notice's line that stays the same whichever keys open the menu.
constexpr const char* kNoticeLine = "~r~and to remove this message~r~.";

bool Drew(const Session& s, std::uint64_t frame, const std::string& text) {
    for (const std::string& drawn : s.DrawnTexts(frame)) {
        if (drawn == text) {
            return true;
        }
    }
    return false;
}

std::vector<float> BarWidths(const Session& s, std::uint64_t frame) {
    std::vector<float> widths;
    for (const sim::DrawItem& item : s.game.world.DrawList(frame)) {
        if (item.kind == sim::DrawItem::Rect && item.rect.height == kBarHeight) {
            widths.push_back(item.rect.width);
        }
    }
    return widths;
}

std::string Figures(const std::vector<float>& values) {
    std::string out;
    for (const float v : values) {
        char text[16];
        std::snprintf(text, sizeof text, " %.4f", static_cast<double>(v));
        out += text;
    }
    return out;
}

// Slider rows in menu order: Duration, Initial Boost, Power, Sensitivity,
// Slow Motion Collision.
std::vector<float> ExpectedBars(const Held& h, float duration) {
    std::vector<float> bars;
    for (const float v : {duration, h.boost, h.power, h.sensitivity, h.slowmo}) {
        bars.push_back(v * kBarFullWidth);
    }
    // Volume: no case's SFX_volume is a level below 100.
    bars.push_back(kBarFullWidth);
    return bars;
}

bool Near(const std::vector<float>& got, const std::vector<float>& want) {
    if (got.size() != want.size()) {
        return false;
    }
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (std::fabs(got[i] - want[i]) > 2e-5f) {
            return false;
        }
    }
    return true;
}

void PressChord(Session& s, const Held& h) {
    s.HoldKey(h.keyPc, 1);
    s.HoldKey(h.keyMenu, 1);
    s.Run(1);
}

// The menu opened by the chord, fully slid in; its bars and "SFX: " row.
void ExpectMenu(Session& s, const Held& h, float duration, const std::string& when) {
    PressChord(s, h);
    s.Run(kFramesPerKeyWait);
    const std::uint64_t f = s.game.frame;
    const std::vector<float> bars = BarWidths(s, f);
    Expect(Near(bars, ExpectedBars(h, duration)), when + "the slider bars are" + Figures(bars) +
                                                      ", expected" +
                                                      Figures(ExpectedBars(h, duration)));
    Expect(Drew(s, f, h.lumen ? "SFX: << Lumen  " : "SFX:   Orca >>"),
           when + "the sound row shows " + (h.lumen ? "Lumen" : "Orca"));
}

void CloseMenu(Session& s, const Held& h) {
    PressChord(s, h);
    s.Run(kFramesPerKeyWait);
    Expect(BarWidths(s, s.game.frame).empty(), "the chord closes the menu");
}

// The session's folder is the current directory. `lock` gets the handle
// that keeps a read-only file from being written.
bool PrepareFile(Session& s, const Case& c, const std::string& text, HANDLE& lock) {
    if (c.setup == Setup::Folder) {
        return CreateDirectoryA("Veloxan.ini", nullptr) != FALSE;
    }
    s.WriteIni(text);
    if (c.setup != Setup::ReadOnlyFile) {
        return true;
    }
    lock = CreateFileA("Veloxan.ini", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    return SetFileAttributesA("Veloxan.ini", FILE_ATTRIBUTE_READONLY) != FALSE &&
           lock != INVALID_HANDLE_VALUE;
}

void RunCase(const Case& c, const Paths& paths) {
    Session s(paths);
    const Held& h = c.held;
    const std::string text = c.file != nullptr ? c.file() : std::string();
    HANDLE lock = INVALID_HANDLE_VALUE;
    Expect(PrepareFile(s, c, text, lock), std::string("the game folder holds the case's ") +
                                              (c.setup == Setup::Folder ? "folder" : "file"));
    s.beforeStart = [](HMODULE module) {
        const std::size_t reads =
            sim::windows::PatchImport(module, "GetPrivateProfileIntA",
                                      reinterpret_cast<void*>(RecordedGetPrivateProfileIntA))
                .size();
        const std::size_t writes =
            sim::windows::PatchImport(module, "WritePrivateProfileStringA",
                                      reinterpret_cast<void*>(RecordedWritePrivateProfileStringA))
                .size();
        Expect(reads == 1 && writes == 1, "the profile functions are recorded, answers unchanged");
    };
    s.game.input.ConnectPad(0);
    const auto started = std::chrono::steady_clock::now();
    if (!s.Boot()) {
        return;
    }
    const auto startUp = std::chrono::steady_clock::now() - started;
    std::printf("start-up (settings read) took %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(startUp).count()));
    const sim::Game& g = s.game;
    s.Run(kFramesPerKeyWait);
    Expect(Drew(s, 1, kNoticeLine) == h.notice,
           std::string("the first-run notice is ") + (h.notice ? "shown" : "not shown"));
    Expect(s.FramesPolling(h.keyPc, 1, g.frame).size() == g.frame,
           "the trigger is key " + std::to_string(h.keyPc) + ", polled on every frame");

    // A boost fired from the pad: the spool-up sound tells the profile, the
    // launch's shake the push (boost x 0.03 + 0.158), the feed whether
    // notifications are on. The keyboard trigger cancels it.
    const std::int32_t car = s.DriveCar(20.0f);
    s.game.world.Get(car).throttle = 1.0f;
    s.HoldButtons(0, h.keyGamepad, 1);
    const bool launched = s.RunUntil([&g] { return g.Count("SHAKE_GAMEPLAY_CAM") > 0; }, 200);
    const unsigned spool = h.lumen ? 108u : 106u;
    Expect(launched && !g.sounds.empty() && g.sounds.front().id == spool,
           "pad buttons " + std::to_string(h.keyGamepad) + " start a boost with spool-up sound " +
               std::to_string(spool) + " and launch it");
    const sim::CallRecord* shake = g.Last("SHAKE_GAMEPLAY_CAM");
    const float amplitude = h.boost * 0.03f + 0.158f;
    Expect(shake != nullptr && std::fabs(shake->F(1) - amplitude) < 1e-5f,
           "the launch shakes the camera by " + std::to_string(amplitude) + " (boost " +
               std::to_string(h.boost) + ")");
    Expect(s.Posted("VELOXAN ACTIVATED") == h.notifications,
           std::string("the activation is ") + (h.notifications ? "" : "not ") + "posted");
    s.HoldKey(h.keyPc, 1);
    s.Run(kFramesPerKeyWait + 1);
    Expect(g.sounds.size() == 2 && g.sounds.back().id == 107, "a second press cancels the boost");

    if (h.keyMenu != 0) {
        ExpectMenu(s, h, h.duration, "");
        if (c.setup == Setup::ReadOnlyFile) {
            s.HoldKey(kNumpad6, 1); // Duration + 0.025
            s.Run(1);
            CloseMenu(s, h);
            ExpectMenu(s, h, h.duration + 0.025f, "reopened after failed saves: ");
        }
        CloseMenu(s, h);
        Expect(!Drew(s, g.frame, kNoticeLine), "no first-run notice once the menu has opened");
    }
    if (c.setup == Setup::ReadOnlyFile) {
        // Each of the four saves tries every key, though each write fails.
        bool everyKeyFourTimes = !writesByKey.empty();
        for (const auto& [key, writes] : writesByKey) {
            everyKeyFourTimes = everyKeyFourTimes && writes == 4;
        }
        Expect(everyKeyFourTimes && writesDone == 0 &&
                   writesFailed == 4 * static_cast<int>(writesByKey.size()),
               "the four saves' writes of " + std::to_string(writesByKey.size()) +
                   " keys each fail: " + std::to_string(writesFailed));
        Expect(s.ReadIni() == text, "the read-only file is unchanged");
        std::printf("after the failed saves GetPrivateProfileIntA reads duration %u\n",
                    GetPrivateProfileIntA("Veloxan", "duration", 0, ".\\Veloxan.ini"));
        CloseHandle(lock);
        SetFileAttributesA("Veloxan.ini", FILE_ATTRIBUTE_NORMAL);
    }
    if (c.setup == Setup::Folder) {
        Expect((GetFileAttributesA("Veloxan.ini") & FILE_ATTRIBUTE_DIRECTORY) != 0,
               "the folder is still a folder");
    }
    if (c.setup == Setup::File && text.rfind("\xFF\xFE", 0) == 0) {
        Expect(s.ReadIni().rfind("\xFF\xFE", 0) == 0, "the saved file is still UTF-16");
    }
    for (const std::string& line : profileLog) {
        std::printf("      %s\n", line.c_str());
    }
}

} // namespace

bool IsBadIniScenario(const std::string& name) {
    if (name == "bad_ini") {
        return true;
    }
    for (const Case& c : Cases()) {
        if (name == std::string("bad_ini:") + c.name) {
            return true;
        }
    }
    return false;
}

void RunBadIniScenario(const std::string& name, const Paths& paths) {
    for (const Case& c : Cases()) {
        if (name == std::string("bad_ini:") + c.name) {
            RunCase(c, paths);
            return;
        }
    }
    // Every case in a child process, one after the other.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    for (const Case& c : Cases()) {
        std::string command;
        for (const std::string& part : {std::string(self), "bad_ini:" + std::string(c.name),
                                        paths.standIn, paths.module, paths.releaseIni}) {
            command += command.empty() ? "\"" : " \"";
            command += part;
            command += '"';
        }
        std::printf("--- %s\n", c.name);
        std::fflush(stdout);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        DWORD status = 1;
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                           &startup, &process) != FALSE) {
            WaitForSingleObject(process.hProcess, INFINITE);
            GetExitCodeProcess(process.hProcess, &status);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        Expect(status == 0, std::string("case ") + c.name);
    }
}

} // namespace scenario
