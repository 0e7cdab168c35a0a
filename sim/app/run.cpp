#include "sim/app/run.h"

#include "sim/app/session.h"

#include <algorithm>
#include <cstdio>

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

std::string EventLabel(const Event& e) {
    if (e.kind == EventKind::Message) {
        return e.detail;
    }
    if (e.kind == EventKind::End) {
        return "end: " + e.detail;
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
    }
    return "?";
}

RunResult RunScenario(const RunOptions& options) {
    Session session({options.iniPath, options.outDir, options.fps, options.quiet});
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
