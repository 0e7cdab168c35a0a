// Bad Veloxan.ini files read by the real Veloxan.asi through Windows' own
// profile functions. Each case starts the module on one file and reads what
// it holds from what it does: the first-run notice, the keys it polls, the
// launch's camera shake (boost), the spool-up sound (SFX_type), the feed
// (display_notifications), and with a menu key the slider bars (bar width is
// the fraction x 0.13) and the "SFX: " row. The module's two profile imports
// lead through recorders that print the functions' raw answers unchanged.
//
// "bad_ini" runs every case, each in a process of its own (the module's
// statics live as long as the process); "bad_ini:<case>" runs one.

#include "bad_ini_scenarios.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace scenario {

namespace {

// --- what the profile functions answered -------------------------------------

std::vector<std::string> profileLog;
int writesDone = 0;
int writesFailed = 0;

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
    profileLog.push_back("write \"" + std::string(key) + "\"=\"" + std::string(value) + "\": " +
                         (ok ? std::string("done") : "failed, error " + std::to_string(error)));
    SetLastError(error);
    return ok;
}

// --- the files ---------------------------------------------------------------

enum class Setup { File, ReadOnlyFile, Folder };

// What the module holds after reading the file. A menu key of 0 leaves the
// menu shut, so only the boost fraction (through the launch) is seen then.
struct Held {
    float duration = 0.6f;
    float sensitivity = 0.25f;
    float power = 0.4f;
    float boost = 0.35f;
    float slowmo = 0.2f;
    bool lumen = true;         // SFX_type 1
    bool notice = false;       // New_Install 1
    bool notifications = true; // display_notifications 1
    int keyPc = 84;
    int keyMenu = 0;
};

struct Case {
    const char* name;
    Setup setup;
    std::string (*file)();
    Held held;
};

// Deterministic bytes of every value, CR, LF and NUL included.
std::string Junk(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    std::uint32_t x = seed;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

constexpr std::size_t kTenMegabytes = 10u << 20;

std::string TenMegabytes() {
    std::string text = "[Other]\r\n";
    text.reserve(kTenMegabytes + 64);
    char line[64];
    for (int n = 0; text.size() < kTenMegabytes; ++n) {
        std::snprintf(line, sizeof line, "filler%07d=a line of nothing much\r\n", n);
        text += line;
    }
    return text + "[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=90\r\n";
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Past 2^32 the value wraps: 2^32 + 72, 2^32 + 50, 2^64 + 100, 3 x 2^32 + 30.
        {"huge_numbers",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_PC=4294967368\r\n"
                                "duration=4294967346\r\nsensitivity=99999999999999999999\r\n"
                                "power=18446744073709551716\r\nboost=4294967295\r\n"
                                "slowmo=12884901918\r\nNew_Install=4294967297\r\n"
                                "display_notifications=8589934592\r\nSFX_type=4294967296\r\n");
         },
         {0.5f, 0.25f, 1.0f, 0.35f, 0.3f, false, true, false, 72, 16}},
        // A sign is taken modulo 2^32: -1 is 4294967295, -(2^32 - 70) is 70.
        {"negative_numbers",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=-60\r\nsensitivity=-0\r\n"
                                "power=-4294967226\r\nboost=-1\r\nslowmo=- 40\r\n"
                                "New_Install=-1\r\ndisplay_notifications=-1\r\nSFX_type=-1\r\n");
         },
         {0.6f, 0.25f, 0.7f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"text",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_PC=\"72\"\r\nduration=long\r\n"
                                "sensitivity=15%\r\npower=0x32\r\nboost=45 percent\r\n"
                                "slowmo=thirty\r\nNew_Install=yes\r\n"
                                "display_notifications=off\r\nSFX_type=Orca\r\n");
         },
         {0.6f, 0.15f, 0.5f, 0.45f, 0.2f, false, false, false, 72, 16}},
        // Empty is missing: each key gives its default, not 0.
        {"empty_values",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU = 16\r\nKEY_PC=\r\nduration=\r\n"
                                "sensitivity=   \r\npower=\"\"\r\nboost\r\nslowmo=\r\n"
                                "New_Install=\r\ndisplay_notifications=\r\nSFX_type=\r\n");
         },
         {0.6f, 0.25f, 0.4f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"duplicate_keys",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_PC=72\r\nduration=80\r\n"
                                "SFX_type=0\r\nduration=30\r\nKEY_PC=84\r\nSFX_type=1\r\n"
                                "KEY_PC_MENU=17\r\n");
         },
         {0.8f, 0.25f, 0.4f, 0.35f, 0.2f, false, false, true, 72, 16}},
        {"duplicate_sections",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\npower=70\r\n[Other]\r\n"
                                "duration=20\r\n[VELOXAN]\r\npower=20\r\nboost=50\r\n"
                                "New_Install=1\r\n");
         },
         {0.6f, 0.25f, 0.7f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"no_section_header",
         Setup::File,
         [] {
             return std::string(
                 "KEY_PC=72\r\nKEY_PC_MENU=16\r\nduration=90\r\nboost=50\r\nNew_Install=1\r\n");
         },
         {}},
        {"keys_before_the_header",
         Setup::File,
         [] {
             return std::string(
                 "KEY_PC=72\r\nduration=90\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\npower=70\r\n");
         },
         {0.6f, 0.25f, 0.7f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"mixed_line_ends_no_final_newline",
         Setup::File,
         [] {
             return std::string("[Veloxan]\nKEY_PC_MENU=16\r\nduration=90\npower=70\r\n\n"
                                "boost=50\r\n\r\nsensitivity=40\rSFX_type=0\nslowmo=30");
         },
         {0.9f, 0.4f, 0.7f, 0.5f, 0.3f, false, false, true, 84, 16}},
        {"utf8_byte_order_mark",
         Setup::File,
         [] {
             return std::string(
                 "\xEF\xBB\xBF[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=90\r\nSFX_type=0\r\n");
         },
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, false, false, true, 84, 16}},
        {"utf16",
         Setup::File,
         [] {
             return Utf16Le("[Veloxan]\r\nKEY_PC=72\r\nKEY_PC_MENU=16\r\nduration=90\r\n"
                            "SFX_type=0\r\nNew_Install=1\r\n");
         },
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, false, true, true, 72, 16}},
        {"ten_megabytes",
         Setup::File,
         TenMegabytes,
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"binary_junk", Setup::File, [] { return Junk(64 << 10, 2463534242u); }, {}},
        {"section_in_binary_junk",
         Setup::File,
         [] {
             return Junk(16 << 10, 88172645u) +
                    "\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=90\r\n" +
                    Junk(16 << 10, 521288629u);
         },
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, true, false, true, 84, 16}},
        // The menu's saves fail; the record keeps what the menu set. Besides
        // the attribute, the game holds the file open against writers: wine
        // run as root writes over the attribute alone.
        {"read_only",
         Setup::ReadOnlyFile,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=60\r\nNew_Install=1\r\n");
         },
         {0.6f, 0.25f, 0.4f, 0.35f, 0.2f, true, true, true, 84, 16}},
        {"folder", Setup::Folder, nullptr, {}},
    };
    return cases;
}

// --- reading the module ------------------------------------------------------

constexpr float kBarFullWidth = 0.13f;
constexpr float kBarHeight = 0.02f;

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
    Expect(Drew(s, 1, "Press SHIFT + T to enter SETUP") == h.notice,
           std::string("the first-run notice is ") + (h.notice ? "shown" : "not shown"));
    Expect(s.FramesPolling(h.keyPc, 1, g.frame).size() == g.frame,
           "the trigger is key " + std::to_string(h.keyPc) + ", polled on every frame");

    // A boost: the spool-up sound tells the profile, the launch's shake the
    // push (boost x 0.03 + 0.158), the feed whether notifications are on.
    const std::int32_t car = s.DriveCar(20.0f);
    s.game.world.Get(car).throttle = 1.0f;
    s.HoldKey(h.keyPc, 1);
    const bool launched = s.RunUntil([&g] { return g.Count("SHAKE_GAMEPLAY_CAM") > 0; }, 200);
    const unsigned spool = h.lumen ? 108u : 106u;
    Expect(launched && !g.sounds.empty() && g.sounds.front().id == spool,
           "the key starts a boost with spool-up sound " + std::to_string(spool) + " and launches");
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
        Expect(!Drew(s, g.frame, "Press SHIFT + T to enter SETUP"),
               "no first-run notice once the menu has opened");
    }
    if (c.setup == Setup::ReadOnlyFile) {
        Expect(writesFailed == 28 && writesDone == 0,
               "the four saves' 28 writes fail: " + std::to_string(writesFailed));
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
