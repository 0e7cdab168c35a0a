// veloxan-sim: loads the module into the simulated game and drives it through
// a scenario, printing a timeline of what the module told the game and
// writing pictures of what it drew, a plot and the frames' figures as CSV; or,
// with --live, in a window driven by the real keyboard and pad.

#include "settings/texts.h"
#include "sim/app/explain.h"
#include "sim/app/language_sheet.h"
#include "sim/app/live.h"
#include "sim/app/plot.h"
#include "sim/app/run.h"
#include "sim/app/scenario.h"
#include "sim/app/screen_sheet.h"
#include "sim/game.h"
#include "sim/keyboard_layouts.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#ifndef VELOXAN_RELEASE_INI
#error "VELOXAN_RELEASE_INI names the release package's Veloxan.ini"
#endif
#ifndef VELOXAN_DRIVE_SCENARIO
#error "VELOXAN_DRIVE_SCENARIO names the built-in drive"
#endif

namespace {

void PrintSummary(const simapp::RunResult& run) {
    const sim::Game& g = sim::game();
    std::printf("\nsounds played:\n");
    for (const sim::SoundPlay& s : g.sounds) {
        std::printf("  %3u  %5u of %5u ms%s\n", s.id, s.playedMs, s.durationMs,
                    s.cutOff ? "  (cut off: a new sound of the module, or a stop)" : "");
    }
    // Native calls the module makes per frame, by what it was doing: the cost
    // of the module to the game, frame by frame.
    struct Load {
        unsigned frames = 0, natives = 0, most = 0;
    };
    std::map<std::string, Load> loads;
    for (const simapp::FrameSample& f : run.frames) {
        const std::string game =
            f.game == simapp::GameState{} ? "" : simapp::GameStateWords(f.game) + ", ";
        Load& load = loads[game + (f.menuOpen ? "menu open, " : "") + simapp::StateName(f.state)];
        ++load.frames;
        load.natives += f.nativeCalls;
        load.most = std::max(load.most, f.nativeCalls);
    }
    std::printf("\nnative calls per frame:\n");
    for (const auto& [phase, load] : loads) {
        std::printf("  %-32s %5u frames  %6.1f on average  %4u at most\n", phase.c_str(),
                    load.frames, static_cast<double>(load.natives) / load.frames, load.most);
    }
    // The module's own account of the drive, as a player would attach it to
    // a bug report.
    std::printf("\nVeloxan.log in the game folder:\n");
    std::ifstream log(run.gameDir + "/Veloxan.log", std::ios::binary);
    std::string line;
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::printf("  %s\n", line.c_str());
    }
}

// The plot, the CSV and the saved settings of a finished run, and the
// summary; the exit code.
int Finish(const simapp::RunResult& run, const std::string& stem, const std::string& title,
           const std::string& out, const std::string& saveIni, bool quiet) {
    const bool csv = simapp::WriteCsvFile(run, out + "/" + stem + ".csv");
    const bool plot =
        simapp::WritePlot(run, "veloxan-sim: " + title, out + "/" + stem + "-plot.png");
    std::error_code ec;
    if (!saveIni.empty()) {
        std::filesystem::copy_file(run.gameDir + "/Veloxan.ini", saveIni,
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            std::fprintf(stderr, "veloxan-sim: --save-ini: %s\n", ec.message().c_str());
        }
    }
    if (!quiet) {
        PrintSummary(run);
    }
    std::printf("\n%zu pictures, %s-plot.png and %s.csv in %s%s\n", run.pictures.size(),
                stem.c_str(), stem.c_str(), out.c_str(),
                run.faults.empty() ? "" : "; the simulated game caught wrong calls");
    return run.faults.empty() && csv && plot && !ec ? 0 : 1;
}

bool MakeOut(const std::string& out) {
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "veloxan-sim: --out: cannot create %s: %s\n", out.c_str(),
                     ec.message().c_str());
        return false;
    }
    return true;
}

// The game's screen in pixels, as --screen gives it.
struct Screen {
    int width = 1920;
    int height = 1080;
};

int Run(const std::string& ini, const std::string& saveIni, const std::string& scenarioPath,
        const std::string& out, int fps, const std::vector<double>& shots, bool quiet, bool explain,
        int language, sim::KeyboardLayout keyboard, Screen screen) {
    if (explain) {
        simapp::Explain(ini, out + "/game", std::cout);
        return 0;
    }
    simapp::RunOptions options;
    std::string error;
    if (!simapp::LoadScenario(scenarioPath, options.scenario, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    options.iniPath = ini;
    options.outDir = out;
    options.fps = fps;
    options.shots = shots;
    options.quiet = quiet;
    options.language = language;
    options.keyboard = keyboard;
    options.screenWidth = screen.width;
    options.screenHeight = screen.height;
    if (!MakeOut(out)) {
        return 2;
    }
    const simapp::RunResult run = simapp::RunScenario(options);
    // The scenario's file name, not its path: the pictures go into readmes
    // and bug reports.
    return Finish(run, std::filesystem::path(scenarioPath).stem().string(),
                  std::filesystem::path(scenarioPath).filename().string(), out, saveIni, quiet);
}

int RunLive(const std::string& ini, const std::string& saveIni, const std::string& out, int width,
            int height, const std::string& record, bool quiet, int language,
            sim::KeyboardLayout keyboard, Screen screen) {
    if (!MakeOut(out)) {
        return 2;
    }
    simapp::LiveOptions options;
    options.iniPath = ini;
    options.outDir = out;
    options.recordPath = record;
    options.width = width;
    options.height = height;
    options.quiet = quiet;
    options.language = language;
    options.keyboard = keyboard;
    options.screenWidth = screen.width;
    options.screenHeight = screen.height;
    const simapp::LiveResult live = simapp::RunLive(options);
    if (!live.error.empty()) {
        std::fprintf(stderr, "veloxan-sim: --live: %s\n", live.error.c_str());
        return 1;
    }
    if (!live.recordError.empty()) {
        std::fprintf(stderr, "veloxan-sim: %s\n", live.recordError.c_str());
    }
    const simapp::LivePacing& p = live.pacing;
    std::printf("\nlive: %llu frames, %llu drawn (%.1f ms on average, %.1f ms at most), %llu "
                "stepped without drawing to keep up; the game clock fell behind %llu times, "
                "%.0f ms in all; vsync %s; sound %s\n",
                static_cast<unsigned long long>(p.frames), static_cast<unsigned long long>(p.drawn),
                p.drawMsAverage, p.drawMsMax, static_cast<unsigned long long>(p.notDrawn),
                static_cast<unsigned long long>(p.clockSlips), p.slippedMs, p.vsync ? "on" : "off",
                live.audioOpen ? "on" : "off");
    // A recorded session's files are named after the record, as its replay's are.
    const std::string stem =
        record.empty() ? "live" : std::filesystem::path(record).stem().string();
    const int code =
        Finish(live.run, stem,
               record.empty() ? "live session" : std::filesystem::path(record).filename().string(),
               out, saveIni, quiet);
    return live.recordError.empty() ? code : 1;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"veloxan-sim: the Veloxan module in a simulated game, driven by a scenario; "
                 "writes the timeline, pictures of what the module draws, a plot and a CSV."};
    app.option_defaults()->always_capture_default();
    std::string ini = VELOXAN_RELEASE_INI;
    std::string saveIni;
    std::string scenarioPath = VELOXAN_DRIVE_SCENARIO;
    std::string out = "veloxan-sim-out";
    int fps = 60;
    std::vector<double> shots;
    bool quiet = false;
    bool explain = false;
    bool live = false;
    std::string size = "1280x720";
    std::string record;
    std::string languageTag = "en-US";
    std::string languageSheet;
    std::string keyboardTag = "en-US";
    std::string screenSize = "1920x1080";
    std::string screenSheet;
    app.add_option("--ini", ini, "settings to start from (only read; the run works on a copy)")
        ->check(CLI::ExistingFile);
    app.add_option("--save-ini", saveIni, "write the working copy of the settings here at the end")
        ->default_str("none");
    auto* scenarioOption = app.add_option("--scenario", scenarioPath, "the drive, a scenario file")
                               ->check(CLI::ExistingFile);
    app.add_option("--out", out, "folder for the pictures, plot, CSV and game folder");
    auto* fpsOption =
        app.add_option("--fps", fps, "frames per second of game clock")->check(CLI::Range(10, 240));
    auto* shotOption =
        app.add_option("--shot", shots, "also draw the frame at this time, seconds (repeatable)")
            ->check(CLI::Range(0.0, 3600.0))
            ->take_last()
            ->allow_extra_args(false)
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->default_str("none");
    app.add_flag("--quiet", quiet, "no timeline on the terminal")->default_str("off");
    auto* explainOption =
        app.add_flag("--explain", explain, "print what the settings mean in numbers, and stop")
            ->default_str("off");
    // A live session is played, not read from a file, at the game's own 60
    // frames a second (the recharge counts frames): none of these apply.
    auto* liveOption =
        app.add_flag("--live", live,
                     "play in a window with the real keyboard and pad (F1 there lists the keys)")
            ->default_str("off")
            ->excludes(scenarioOption)
            ->excludes(fpsOption)
            ->excludes(shotOption)
            ->excludes(explainOption);
    auto* sizeOption =
        app.add_option("--size", size, "--live: the window's size, WxH")
            ->needs(liveOption)
            ->check([](const std::string& text) -> std::string {
                int w = 0, h = 0;
                char x = 0, rest = 0;
                if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || x != 'x' ||
                    w < 320 || w > 7680 || h < 180 || h > 4320) {
                    return "expected WxH, 320x180 to 7680x4320, found '" + text + "'";
                }
                return "";
            });
    app.add_option("--record", record, "--live: keep the session as a scenario file here")
        ->needs(liveOption)
        ->default_str("none");
    app.add_option("--language", languageTag,
                   "the game's language: en-US, fr-FR, de-DE, it-IT, es-ES, pt-BR, pl-PL, ru-RU, "
                   "ko-KR, zh-TW, ja-JP, es-MX or zh-CN")
        ->check([](const std::string& text) -> std::string {
            return LanguageOfTag(text.c_str()) < 0 ? "not a language tag: '" + text + "'" : "";
        });
    app.add_option("--keyboard", keyboardTag,
                   "the player's keyboard layout, as Windows names its keys: en-US, de-DE or fr-FR")
        ->check([](const std::string& text) -> std::string {
            sim::KeyboardLayout layout{};
            return sim::KeyboardOfTag(text, layout) ? "" : "not a keyboard layout: '" + text + "'";
        });
    app.add_option("--language-sheet", languageSheet,
                   "run the scenario in every language and draw its pictures named notice and "
                   "menu into this PNG (docs/languages.png)")
        ->excludes(liveOption)
        ->default_str("none");
    auto* screenOption =
        app.add_option(
               "--screen", screenSize,
               "the game's screen, WxH, 5:4 to three 16:9 screens (5760x1080); pictures and "
               "the live window are drawn at it")
            ->check([](const std::string& text) -> std::string {
                int w = 0, h = 0;
                char x = 0, rest = 0;
                if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || x != 'x' ||
                    !simapp::ScreenSizeAllowed(w, h)) {
                    return "expected WxH from 5:4 to three 16:9 screens side by side, 640x480 to "
                           "11520x4320, found '" +
                           text + "'";
                }
                return "";
            });
    app.add_option("--screen-sheet", screenSheet,
                   "run the scenario on each of eight screens and draw what its pictures named "
                   "notice and menu show into this PNG (docs/screens.png)")
        ->excludes(liveOption)
        ->excludes(screenOption)
        ->default_str("none");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "veloxan-sim: %s\n", e.what());
        return 2;
    }

    const int language = LanguageOfTag(languageTag.c_str());
    sim::KeyboardLayout keyboard{};
    sim::KeyboardOfTag(keyboardTag, keyboard);
    Screen screen;
    std::sscanf(screenSize.c_str(), "%dx%d", &screen.width, &screen.height);
    namespace fs = std::filesystem;
    const std::string workingCopy = out + "/game/Veloxan.ini";
    if (fs::exists(workingCopy) && fs::equivalent(ini, workingCopy)) {
        std::fprintf(stderr,
                     "veloxan-sim: --ini: %s is the run's own working copy; copy it elsewhere\n",
                     ini.c_str());
        return 2;
    }
    try {
        if (!languageSheet.empty()) {
            std::string error;
            if (!MakeOut(out) ||
                !simapp::DrawLanguageSheet(ini, scenarioPath, out, languageSheet, error)) {
                std::fprintf(stderr, "veloxan-sim: --language-sheet: %s\n", error.c_str());
                return 1;
            }
            std::printf("%s drawn\n", languageSheet.c_str());
            return 0;
        }
        if (!screenSheet.empty()) {
            std::string error;
            if (!MakeOut(out) ||
                !simapp::DrawScreenSheet(ini, scenarioPath, out, screenSheet, error)) {
                std::fprintf(stderr, "veloxan-sim: --screen-sheet: %s\n", error.c_str());
                return 1;
            }
            std::printf("%s drawn\n", screenSheet.c_str());
            return 0;
        }
        if (live) {
            int width = 0, height = 0;
            std::sscanf(size.c_str(), "%dx%d", &width, &height);
            if (sizeOption->count() == 0) {
                // The window takes the screen's shape: 720 lines, or 1920
                // columns for the widest.
                width = 720 * screen.width / screen.height;
                height = 720;
                if (width > 1920) {
                    width = 1920;
                    height = 1920 * screen.height / screen.width;
                }
            }
            return RunLive(ini, saveIni, out, width, height, record, quiet, language, keyboard,
                           screen);
        }
        return Run(ini, saveIni, scenarioPath, out, fps, shots, quiet, explain, language, keyboard,
                   screen);
    } catch (const std::filesystem::filesystem_error& e) {
        std::fprintf(stderr, "veloxan-sim: %s\n", e.what());
        return 1;
    }
}
