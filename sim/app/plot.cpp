#include "sim/app/plot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

namespace simapp {

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
constexpr double kLeft = 90.0, kRight = 30.0, kTop = 50.0;
constexpr double kStripRow = 22.0; // one row of event marks per kind
constexpr double kPanelGap = 28.0;
constexpr double kBottom = 50.0;
// The kinds with a row of marks; the game's state changes show as spans in
// lanes along the time axis instead, when the run has any.
constexpr int kEventKinds = 6;
constexpr double kLane = 20.0;
constexpr double kLanesGap = 8.0;

struct Colour {
    double r, g, b;
};

Colour StateColour(TurboState s) {
    switch (s) {
    case TurboState::SpoolUp:
        return {0.98, 0.85, 0.35};
    case TurboState::Boosting:
        return {0.98, 0.55, 0.35};
    case TurboState::Recharging:
        return {0.55, 0.75, 0.98};
    case TurboState::Ready:
        break;
    }
    return {1.0, 1.0, 1.0};
}

Colour EventColour(EventKind k) {
    switch (k) {
    case EventKind::Press:
        return {0.2, 0.2, 0.2};
    case EventKind::Launch:
        return {0.1, 0.6, 0.1};
    case EventKind::End:
        return {0.8, 0.1, 0.1};
    case EventKind::Collision:
        return {0.5, 0.0, 0.5};
    case EventKind::Message:
        return {0.1, 0.3, 0.8};
    case EventKind::Sound:
        return {0.0, 0.55, 0.55};
    case EventKind::Game:
        break;
    }
    return {0, 0, 0};
}

void Text(cairo_t* cr, double x, double y, const std::string& text, double size,
          bool right = false) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, right ? x - e.x_advance : x, y);
    cairo_show_text(cr, text.c_str());
}

struct Panel {
    const char* name;
    double top, height, low, high;
    float FrameSample::*field;
    Colour colour;
};

// The paused and busy spans: hatching over the panels, and below the time
// axis a lane for each, its bars labelled with what held.
template <typename ToX>
void GameSpans(cairo_t* cr, const RunResult& run, const Panel (&panels)[3], const ToX& X) {
    const double lanesTop = kHeight - kBottom - 2 * kLane - kLanesGap + 26.0;
    const Colour pausedColour{0.35, 0.35, 0.40}, busyColour{0.55, 0.20, 0.60};
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    Text(cr, kLeft - 6, lanesTop + kLane - 6, "paused", 12, true);
    Text(cr, kLeft - 6, lanesTop + 2 * kLane - 6, "busy", 12, true);
    const double t0 = run.frames.front().time;
    for (const bool pausedLane : {true, false}) {
        const double top = lanesTop + (pausedLane ? 0.0 : kLane) + 2.0;
        const Colour c = pausedLane ? pausedColour : busyColour;
        double labelEnd = 0.0;
        for (std::size_t i = 0; i < run.frames.size();) {
            auto key = [&](const FrameSample& f) {
                return pausedLane ? (f.game.paused ? 1 : 0) : f.game.busy;
            };
            std::size_t j = i;
            while (j < run.frames.size() && key(run.frames[j]) == key(run.frames[i])) {
                ++j;
            }
            if (key(run.frames[i]) != 0) {
                const double x0 = X(i == 0 ? t0 : run.frames[i - 1].time);
                const double x1 = std::max(X(run.frames[j - 1].time), x0 + 2.0);
                // Hatching, so that the turbo's bands show through: paused
                // leaning right, busy leaning left.
                const double slope = pausedLane ? 1.0 : -1.0;
                for (const Panel& p : panels) {
                    cairo_save(cr);
                    cairo_rectangle(cr, x0, p.top, x1 - x0, p.height);
                    cairo_clip(cr);
                    cairo_set_source_rgba(cr, c.r, c.g, c.b, 0.45);
                    cairo_set_line_width(cr, 1.5);
                    for (double x = x0 - p.height; x < x1 + p.height; x += 12.0) {
                        cairo_move_to(cr, x, p.top + p.height);
                        cairo_line_to(cr, x + slope * p.height, p.top);
                    }
                    cairo_stroke(cr);
                    cairo_restore(cr);
                }

                cairo_rectangle(cr, x0, top, x1 - x0, kLane - 4.0);
                cairo_set_source_rgb(cr, c.r, c.g, c.b);
                cairo_fill(cr);
                GameState state;
                state.busy = pausedLane ? 0 : run.frames[i].game.busy;
                const std::string label = pausedLane ? "paused" : GameStateWords(state);
                cairo_set_font_size(cr, 11);
                cairo_text_extents_t ext;
                cairo_text_extents(cr, label.c_str(), &ext);
                // Inside a bar wide enough, else after it where there is room.
                const bool inside = ext.x_advance + 8.0 < x1 - x0;
                const double start = inside ? x0 + 4.0 : x1 + 4.0;
                if (start > labelEnd) {
                    cairo_set_source_rgb(cr, inside ? 1.0 : c.r, inside ? 1.0 : c.g,
                                         inside ? 1.0 : c.b);
                    Text(cr, start, top + kLane - 8.0, label, 11);
                    labelEnd = start + ext.x_advance + 6.0;
                }
            }
            i = j;
        }
    }
}

} // namespace

void WriteCsv(const RunResult& run, std::ostream& out) {
    std::map<std::uint64_t, std::string> events;
    for (const Event& e : run.events) {
        std::string detail = e.detail;
        std::replace(detail.begin(), detail.end(), ';', ',');
        std::replace(detail.begin(), detail.end(), '"', '\'');
        std::string& cell = events[e.frame];
        cell += (cell.empty() ? "" : ";") + std::string(EventName(e.kind)) +
                (detail.empty() ? "" : "=" + detail);
    }
    out << "time_s,frame,state,speed_kmh,engine_power_multiplier,time_scale,menu_open,"
           "native_calls,game,events\n";
    char row[160];
    for (const FrameSample& s : run.frames) {
        std::snprintf(row, sizeof row, "%.3f,%llu,%s,%.2f,%.3f,%.3f,%d,%u,", s.time,
                      static_cast<unsigned long long>(s.frame), StateName(s.state),
                      static_cast<double>(s.speedKmh), static_cast<double>(s.enginePower),
                      static_cast<double>(s.timeScale), s.menuOpen ? 1 : 0, s.nativeCalls);
        out << row << GameStateWords(s.game) << ',';
        auto it = events.find(s.frame);
        if (it != events.end()) {
            out << '"' << it->second << '"';
        }
        out << '\n';
    }
}

bool WriteCsvFile(const RunResult& run, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    WriteCsv(run, out);
    return static_cast<bool>(out);
}

bool WritePlot(const RunResult& run, const std::string& title, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    const double t0 = run.frames.empty() ? 0.0 : run.frames.front().time;
    const double t1 = run.frames.empty() ? 1.0 : std::max(run.frames.back().time, t0 + 0.1);
    const double plotW = kWidth - kLeft - kRight;
    auto X = [&](double t) { return kLeft + (t - t0) / (t1 - t0) * plotW; };

    float maxSpeed = 50.0f, maxPower = 2.0f;
    for (const FrameSample& s : run.frames) {
        maxSpeed = std::max(maxSpeed, s.speedKmh);
        maxPower = std::max(maxPower, s.enginePower);
    }
    bool paused = false, busy = false;
    for (const FrameSample& s : run.frames) {
        paused = paused || s.game.paused;
        busy = busy || s.game.busy != 0;
    }
    const double lanes = paused || busy ? 2 * kLane + kLanesGap : 0.0;
    const double stripTop = kTop + 10.0;
    const double panelsTop = stripTop + kEventKinds * kStripRow + 14.0;
    const double panelH = (kHeight - panelsTop - kBottom - lanes - 2 * kPanelGap) / 3.0;
    const Panel panels[] = {
        {"speed, km/h",
         panelsTop,
         panelH,
         0.0,
         std::ceil(maxSpeed / 40.0f) * 40.0,
         &FrameSample::speedKmh,
         {0.0, 0.0, 0.0}},
        {"engine power multiplier",
         panelsTop + panelH + kPanelGap,
         panelH,
         0.0,
         std::ceil(maxPower / 20.0f) * 20.0,
         &FrameSample::enginePower,
         {0.7, 0.2, 0.0}},
        {"time scale",
         panelsTop + 2 * (panelH + kPanelGap),
         panelH,
         0.0,
         1.2,
         &FrameSample::timeScale,
         {0.2, 0.2, 0.7}},
    };

    // The states as bands behind every panel.
    for (std::size_t i = 0; i < run.frames.size();) {
        std::size_t j = i;
        while (j < run.frames.size() && run.frames[j].state == run.frames[i].state) {
            ++j;
        }
        const double x0 = X(i == 0 ? t0 : run.frames[i - 1].time);
        const double x1 = X(run.frames[j - 1].time);
        const Colour c = StateColour(run.frames[i].state);
        for (const Panel& p : panels) {
            cairo_rectangle(cr, x0, p.top, x1 - x0, p.height);
            cairo_set_source_rgb(cr, c.r, c.g, c.b);
            cairo_fill(cr);
        }
        i = j;
    }

    if (paused || busy) {
        GameSpans(cr, run, panels, X);
    }

    for (const Panel& p : panels) {
        auto Y = [&](double v) {
            return p.top + p.height - (v - p.low) / (p.high - p.low) * p.height;
        };
        cairo_set_line_width(cr, 1.0);
        for (int k = 0; k <= 4; ++k) {
            const double v = p.low + (p.high - p.low) * k / 4.0;
            cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
            cairo_move_to(cr, kLeft, Y(v));
            cairo_line_to(cr, kLeft + plotW, Y(v));
            cairo_stroke(cr);
            char label[32];
            std::snprintf(label, sizeof label, "%g", v);
            cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
            Text(cr, kLeft - 6, Y(v) + 4, label, 12, true);
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
        Text(cr, kLeft + 6, p.top + 16, p.name, 14);
        cairo_set_source_rgb(cr, p.colour.r, p.colour.g, p.colour.b);
        cairo_set_line_width(cr, 2.0);
        bool first = true;
        for (const FrameSample& s : run.frames) {
            const double y = Y(static_cast<double>(s.*p.field));
            if (first) {
                cairo_move_to(cr, X(s.time), y);
            } else {
                cairo_line_to(cr, X(s.time), y);
            }
            first = false;
        }
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
        cairo_set_line_width(cr, 1.0);
        cairo_rectangle(cr, kLeft, p.top, plotW, p.height);
        cairo_stroke(cr);
    }

    // Events: a row of marks per kind above the panels, and a thin line
    // through the panels for the turbo's own steps.
    for (int k = 0; k < kEventKinds; ++k) {
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        Text(cr, kLeft - 6, stripTop + (k + 1) * kStripRow - 6,
             EventName(static_cast<EventKind>(k)), 12, true);
    }
    double labelEnd[kEventKinds] = {};
    for (const Event& e : run.events) {
        const int k = static_cast<int>(e.kind);
        if (k >= kEventKinds) {
            continue;
        }
        const Colour c = EventColour(e.kind);
        const double x = X(e.time);
        const double rowBottom = stripTop + (k + 1) * kStripRow;
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, x, rowBottom - kStripRow + 4);
        cairo_line_to(cr, x, rowBottom - 2);
        cairo_stroke(cr);
        if (e.kind == EventKind::Launch || e.kind == EventKind::End || e.kind == EventKind::Press ||
            e.kind == EventKind::Collision) {
            cairo_set_line_width(cr, 1.0);
            const double dashes[] = {4.0, 4.0};
            cairo_set_dash(cr, dashes, 2, 0);
            cairo_move_to(cr, x, panelsTop);
            cairo_line_to(cr, x, panels[2].top + panelH);
            cairo_stroke(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
        }
        // Labels only where the previous one of the row has ended; near the
        // right edge, to the left of their mark.
        cairo_set_font_size(cr, 11);
        const std::string label = EventLabel(e);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, label.c_str(), &ext);
        const double start = x + 4 + ext.x_advance > kLeft + plotW ? x - 4 - ext.x_advance : x + 4;
        if (start > labelEnd[k]) {
            Text(cr, start, rowBottom - 6, label, 11);
            labelEnd[k] = start + ext.x_advance + 6;
        }
    }

    // Time axis and legend.
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    const double step = t1 - t0 > 60 ? 10.0 : t1 - t0 > 20 ? 5.0 : t1 - t0 > 8 ? 2.0 : 1.0;
    for (double t = std::ceil(t0 / step) * step; t <= t1 + 1e-9; t += step) {
        char label[32];
        std::snprintf(label, sizeof label, "%g s", t);
        Text(cr, X(t) - 10, kHeight - kBottom - lanes + 18, label, 12);
    }
    Text(cr, kLeft, 30, title, 18);
    double lx = kLeft + plotW - 520;
    for (TurboState s :
         {TurboState::Ready, TurboState::SpoolUp, TurboState::Boosting, TurboState::Recharging}) {
        const Colour c = StateColour(s);
        cairo_rectangle(cr, lx, 16, 18, 18);
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.4, 0.4, 0.4);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        Text(cr, lx + 24, 30, StateName(s), 13);
        lx += 130;
    }

    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace simapp
