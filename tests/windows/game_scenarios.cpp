// veloxan-game: the real Veloxan.asi in the Windows loader (under wine), on
// the stand-in ScriptHookV.dll's fibre, in the simulated game. Each scenario
// plays one stretch of the game as a player would and checks what the game
// was told; each runs in a process of its own.
//
//   veloxan-game <scenario> <ScriptHookV.dll> <Veloxan.asi> <release Veloxan.ini>
//
// Exit status 0 when every check held, 1 when one failed, 2 on bad usage.

#include "scenario_support.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace scenario;

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return Contains(list, item);
}

std::string Join(const std::vector<std::uint64_t>& frames) {
    std::string out = "[";
    for (const std::uint64_t f : frames) {
        if (out.size() > 1) {
            out += ',';
        }
        out += std::to_string(f);
    }
    out += ']';
    return out;
}

// A held trigger key is accepted on its first frame and then again only when
// more than 200 ms have passed: the key is not even asked for in between.
void ExpectAcceptedEvery200Ms(const Session& s, int vk, std::uint64_t first, std::uint64_t frames,
                              const std::string& what) {
    std::vector<std::uint64_t> expected;
    for (std::uint64_t f = first; f < first + frames; f += kFramesPerKeyWait) {
        expected.push_back(f);
    }
    const std::vector<std::uint64_t> polled = s.FramesPolling(vk, first, first + frames - 1);
    Expect(polled == expected,
           what + ": polled in frames " + Join(polled) + ", expected " + Join(expected));
}

// --- scenarios -----------------------------------------------------------------

void StartupWithoutIni(const Paths& paths) {
    Session s(paths);
    Expect(!s.IniExists(), "the game folder holds no Veloxan.ini");
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    Expect(g.Count("scriptRegister") == 1 && g.calls.front().name == "scriptRegister" &&
               g.calls.front().frame == 0,
           "DllMain registers the script once, while the loader maps the module");
    Expect(g.script.starts == 1 && g.script.running, "ScriptHookV started the script once");
    Expect(Has(s.loaded.patched, "KERNEL32.dll!GetTickCount") &&
               Has(s.loaded.patched, "USER32.dll!GetAsyncKeyState") &&
               Has(s.loaded.patched, "XINPUT9_1_0.dll!XInputGetState"),
           "the module imports the clock, the keys and the pad from Windows and XInput");

    // No pad answers: the search asks the four user indices once, in frame 1.
    std::vector<std::int32_t> padIndices;
    for (const sim::CallRecord* c : g.Calls("XInputGetState")) {
        padIndices.push_back(c->frame == 1 ? c->I(0) : -1);
    }
    Expect(padIndices == std::vector<std::int32_t>{0, 1, 2, 3},
           "pads 0 to 3 are tried in order, at start only");

    s.Run(20);
    Expect(s.FramesPolling(kKeyT, 1, g.frame).size() == g.frame,
           "without a file the trigger is T (84), polled on every frame");
    bool onlyT = true;
    for (const sim::CallRecord* c : g.Calls("GetAsyncKeyState")) {
        onlyT = onlyT && c->I(0) == kKeyT;
    }
    Expect(onlyT, "with T up no other key is asked for");
    Expect(g.Count("XInputGetState") == 4, "with no pad found the pad is never read again");
    bool drew = false;
    for (std::uint64_t f = 1; f <= g.frame; ++f) {
        drew = drew || !g.world.DrawList(f).empty();
    }
    Expect(!drew, "no first-run notice and no menu are drawn");
    Expect(!s.IniExists(), "reading the settings creates no file");

    s.DriveCar(20.0f);
    s.HoldKey(kKeyT, 20);
    const std::uint64_t press = g.frame + 1;
    s.Run(20);
    ExpectAcceptedEvery200Ms(s, kKeyT, press, 20, "T held for 20 frames");
}

void StartupWithIni(const Paths& paths) {
    Session s(paths);
    const std::string file = "; bindings of the player\r\n"
                             "[Other]\r\n"
                             "KEY_PC=65\r\n"
                             "[Veloxan]\r\n"
                             "KEY_PC = 72\r\n"
                             "KEY_PC_MENU=17\r\n"
                             "KEY_GAMEPAD=4096\r\n"
                             "New_Install=0\r\n";
    s.WriteIni(file);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    s.Run(10);
    Expect(s.FramesPolling(0x48, 1, g.frame).size() == g.frame,
           "KEY_PC=72 from the file makes H the trigger, polled on every frame");
    Expect(s.FramesPolling(kKeyT, 1, g.frame).empty() && s.FramesPolling(65, 1, g.frame).empty(),
           "neither the default T nor the other section's key is asked for");

    s.DriveCar(20.0f);
    s.HoldKey(kKeyT, 10);
    s.Run(10);
    s.HoldKey(kKeyH, 20);
    const std::uint64_t press = g.frame + 1;
    s.Run(20);
    ExpectAcceptedEvery200Ms(s, kKeyH, press, 20, "H held for 20 frames");
    // H down, so the menu key of the file (17) is asked for, by the menu step
    // and by the trigger's exclusion.
    Expect(!s.FramesPolling(17, press, press).empty(), "KEY_PC_MENU=17 is read from the file");
    Expect(s.ReadIni() == file, "the file is left byte for byte as it was");
}

void GamepadTrigger(const Paths& paths) {
    Session s(paths);
    // A and B together fire; either alone does not.
    s.WriteIni("[Veloxan]\r\nKEY_GAMEPAD=4096\r\nKEY_GAMEPAD_2=8192\r\n");
    s.game.input.ConnectPad(1);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    // Frame 1: the search (0, then 1 answers), then the main loop's first
    // read of the pad it found.
    std::vector<std::int32_t> read;
    for (const sim::CallRecord* c : g.Calls("XInputGetState")) {
        read.push_back(c->I(0));
    }
    Expect(read == std::vector<std::int32_t>{0, 1, 1}, "the search stops at the first pad, 1");

    s.DriveCar(20.0f);
    // Reads of pad 1 per frame; any other index counts against frame 0.
    const auto padReads = [&g](std::uint64_t from, std::uint64_t to) {
        std::map<std::uint64_t, int> perFrame;
        for (const sim::CallRecord* c : g.Calls("XInputGetState")) {
            if (c->frame >= from && c->frame <= to) {
                ++perFrame[c->I(0) == 1 ? c->frame : 0];
            }
        }
        return perFrame;
    };

    s.HoldButtons(1, kPadA, 20);
    std::uint64_t from = g.frame + 1;
    s.Run(20);
    std::map<std::uint64_t, int> reads = padReads(from, g.frame);
    bool twiceEachFrame = reads.size() == 20;
    for (const auto& [frame, count] : reads) {
        twiceEachFrame = twiceEachFrame && count == 2;
    }
    Expect(twiceEachFrame, "A alone matches KEY_GAMEPAD, and the pad is read again for "
                           "KEY_GAMEPAD_2 on every frame: never accepted");

    s.HoldButtons(1, static_cast<std::uint16_t>(kPadA | kPadB), 20);
    from = g.frame + 1;
    s.Run(20);
    reads = padReads(from, g.frame);
    std::vector<std::uint64_t> readFrames;
    for (const auto& [frame, count] : reads) {
        readFrames.push_back(frame);
    }
    Expect(readFrames == std::vector<std::uint64_t>{from, from + 13},
           "A+B is accepted and the pad rests for 200 ms: read in frames " + Join(readFrames));
}

void ScriptRestart(const Paths& paths) {
    Session s(paths);
    s.WriteIni("[Veloxan]\r\nKEY_PC=84\r\n");
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    s.DriveCar(20.0f);
    s.HoldKey(kKeyT, 3);
    s.Run(30);

    // The game reloads its scripts: ScriptHookV abandons the fibre where it
    // waits and starts ScriptMain again in the module that stayed loaded.
    s.WriteIni("[Veloxan]\r\nKEY_PC=72\r\n");
    sim::RestartScript();
    const std::uint64_t restart = g.frame + 1;
    s.Run(1);
    Expect(g.script.starts == 2 && g.script.registrations == 1,
           "the entry ran twice, registered once");
    s.Run(10);
    Expect(s.FramesPolling(kKeyH, restart, g.frame).size() == g.frame - restart + 1 &&
               s.FramesPolling(kKeyT, restart, g.frame).empty(),
           "the second start reads the file afresh: H is the trigger now");
    s.HoldKey(kKeyH, 20);
    const std::uint64_t press = g.frame + 1;
    s.Run(20);
    ExpectAcceptedEvery200Ms(s, kKeyH, press, 20, "H held after the restart");
}

const std::map<std::string, void (*)(const Paths&)> kScenarios = {
    {"startup_without_ini", StartupWithoutIni},
    {"startup_with_ini", StartupWithIni},
    {"gamepad_trigger", GamepadTrigger},
    {"script_restart", ScriptRestart},
};

// Paths from the command line, made absolute while the current directory is
// still the one the game was started in.
std::string FullPath(const char* path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : std::string(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 || kScenarios.count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: veloxan-game <scenario> <ScriptHookV.dll> <Veloxan.asi> "
                             "<release Veloxan.ini>\nscenarios:");
        for (const auto& [name, run] : kScenarios) {
            std::fprintf(stderr, " %s", name.c_str());
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    const Paths paths{FullPath(argv[2]), FullPath(argv[3]), FullPath(argv[4])};
    kScenarios.at(argv[1])(paths);
    const int failures = FailureCount();
    std::printf("%s: %d failed check(s)\n", argv[1], failures);
    return failures == 0 ? 0 : 1;
}
