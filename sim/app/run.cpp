#include "sim/app/run.h"

#include "sim/app/session.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace simapp {

namespace {

// A scenario without an "end" line runs this long past its last line.
constexpr double kRunOutSeconds = 1.0;
constexpr double kLongestRun = 3600.0;

} // namespace

const char* StateName(TurboState state) {
    switch (state) {
    case TurboState::Ready:
        return "Ready";
    case TurboState::Recharging:
        return "Recharging";
    case TurboState::SpoolUp:
        return "SpoolUp";
    case TurboState::Boosting:
        return "Boosting";
    }
    return "?";
}

GameState GameStateOf(const sim::World& world) {
    GameState state;
    state.paused = world.paused;
    for (std::size_t i = 0; i < std::size(kBusyStateNames); ++i) {
        if (world.*kBusyStateNames[i].flag) {
            state.busy = static_cast<std::uint8_t>(state.busy | 1u << i);
        }
    }
    return state;
}

namespace {

std::string BusyWords(std::uint8_t busy) {
    std::string words;
    for (std::size_t i = 0; i < std::size(kBusyStateNames); ++i) {
        if ((busy >> i & 1u) != 0) {
            words += (words.empty() ? "" : "+") + std::string(kBusyStateNames[i].name);
        }
    }
    return words;
}

} // namespace

std::string GameStateWords(GameState state) {
    if (state == GameState{}) {
        return "playing";
    }
    const std::string busy = BusyWords(state.busy);
    return state.paused ? (busy.empty() ? "paused" : "paused+" + busy) : busy;
}

std::string GameStateLabel(GameState state) {
    const std::string busy = state.busy != 0 ? "busy: " + BusyWords(state.busy) : "";
    if (!state.paused) {
        return busy;
    }
    return busy.empty() ? "paused" : "paused, " + busy;
}

std::string EventLabel(const Event& e) {
    if (e.kind == EventKind::Message) {
        return e.detail;
    }
    if (e.kind == EventKind::End) {
        return "end: " + e.detail;
    }
    if (e.kind == EventKind::Game) {
        return "game " + e.detail;
    }
    return e.detail.empty() ? EventName(e.kind) : EventName(e.kind) + (" " + e.detail);
}

const char* EventName(EventKind kind) {
    switch (kind) {
    case EventKind::Press:
        return "press";
    case EventKind::Launch:
        return "launch";
    case EventKind::End:
        return "end";
    case EventKind::Collision:
        return "collision";
    case EventKind::Message:
        return "message";
    case EventKind::Sound:
        return "sound";
    case EventKind::Game:
        return "game";
    }
    return "?";
}

RunResult RunScenario(const RunOptions& options) {
    Session session({options.iniPath, options.outDir, options.fps, options.quiet, options.language,
                     options.keyboard, options.screenWidth, options.screenHeight});
    session.Begin("Veloxan in the simulated game; scenario " + options.scenario.file);

    const std::vector<ScenarioLine>& lines = options.scenario.lines;
    std::vector<double> shots = options.shots;
    std::sort(shots.begin(), shots.end());
    const double lastLine = lines.empty() ? 0.0 : lines.back().time;
    const double stopAt =
        std::max(lastLine + kRunOutSeconds, shots.empty() ? 0.0 : shots.back() + 0.001);
    std::size_t nextLine = 0;
    std::size_t nextShot = 0;
    bool ended = false;
    while (!ended) {
        const double frameTime = session.NextFrameTime();
        if (frameTime > std::min(stopAt, kLongestRun) + 1e-9) {
            break;
        }
        // Lines act from the frame that reaches their time.
        while (nextLine < lines.size() && lines[nextLine].time <= frameTime + 1e-9) {
            const ScenarioLine& line = lines[nextLine++];
            session.Execute(line);
            if (line.action == Action::End) {
                ended = true;
                break;
            }
        }
        if (ended) {
            break;
        }
        while (nextShot < shots.size() && shots[nextShot] <= frameTime + 1e-9) {
            session.RequestPicture("shot");
            ++nextShot;
        }
        session.Step();
    }
    for (; nextShot < shots.size(); ++nextShot) {
        char note[96];
        std::snprintf(note, sizeof note, "no picture at %.4g s: the run ended before",
                      shots[nextShot]);
        session.Say(note);
        if (options.quiet) {
            std::fprintf(stderr, "veloxan-sim: --shot: %s\n", note);
        }
    }
    RunResult result = session.End();
    result.ended = ended;
    return result;
}

} // namespace simapp
