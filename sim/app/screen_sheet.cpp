#include "sim/app/screen_sheet.h"

#include "script/script_main.h"
#include "sim/app/picture.h"
#include "sim/app/run.h"
#include "sim/app/scenario.h"
#include "sim/app/session.h"
#include "sim/game.h"

#include <cairo.h>

#include <algorithm>
#include <filesystem>

namespace simapp {

namespace {

struct SheetScreen {
    const char* label;
    int width;
    int height;
    float safeZone;
    int row; // of the sheet
};

// The shapes players have: 1350x1080 is 5:4 at the height of the others, so
// that text is drawn at one size on the whole sheet.
constexpr SheetScreen kScreens[] = {
    {"5:4, 1350x1080", 1350, 1080, 1.0f, 0},
    {"4:3, 1440x1080", 1440, 1080, 1.0f, 0},
    {"16:10, 1728x1080", 1728, 1080, 1.0f, 0},
    {"16:9, 1920x1080", 1920, 1080, 1.0f, 0},
    {"21:9, 2560x1080", 2560, 1080, 1.0f, 1},
    {"32:9, 3840x1080", 3840, 1080, 1.0f, 1},
    {"three 16:9 screens, 5760x1080", 5760, 1080, 1.0f, 2},
    {"16:9 at safe zone 0.9", 1920, 1080, 0.9f, 2},
};
constexpr int kSheetRows = 3;

// Each screen's picture is drawn at this fraction of its pixels.
constexpr double kScale = 0.3;
constexpr double kGap = 14;
constexpr double kLabelHeight = 34;

// The frame of the run's picture whose name ends in "-WHAT.png"; 0 for none.
std::uint64_t FrameOf(const RunResult& run, const std::string& what) {
    const std::string ending = "-" + what + ".png";
    for (std::size_t k = 0; k < run.pictures.size() && k < run.pictureFrames.size(); ++k) {
        const std::string& name = run.pictures[k];
        if (name.size() > ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
            return run.pictureFrames[k];
        }
    }
    return 0;
}

void DrawLabel(cairo_t* cr, const char* label, double x, double y) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 24);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_move_to(cr, x, y + kLabelHeight - 10);
    cairo_show_text(cr, label);
}

double CellWidth(const SheetScreen& screen) { return screen.width * kScale; }

double SheetWidth() {
    double widest = 0;
    for (int row = 0; row < kSheetRows; ++row) {
        double width = kGap;
        for (const SheetScreen& screen : kScreens) {
            width += screen.row == row ? CellWidth(screen) + kGap : 0.0;
        }
        widest = std::max(widest, width);
    }
    return widest;
}

} // namespace

bool DrawScreenSheet(const std::string& iniPath, const std::string& scenarioPath,
                     const std::string& outDir, const std::string& sheetPath, std::string& error) {
    RunOptions options;
    Scenario scenario;
    if (!LoadScenario(scenarioPath, scenario, error)) {
        return false;
    }
    options.iniPath = iniPath;
    options.quiet = true;

    const double rowHeight = kLabelHeight + 1080 * kScale + kGap;
    Picture sheet(static_cast<int>(SheetWidth()), static_cast<int>(kSheetRows * rowHeight + kGap));
    cairo_t* cr = cairo_create(sheet.Surface());
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
    cairo_paint(cr);
    double rowX[kSheetRows] = {kGap, kGap, kGap};
    bool drawn = true;
    for (std::size_t k = 0; k < std::size(kScreens) && drawn; ++k) {
        const SheetScreen& screen = kScreens[k];
        options.outDir = outDir + "/" + std::to_string(k);
        options.screenWidth = screen.width;
        options.screenHeight = screen.height;
        options.scenario = scenario;
        // The player's display settings, before the module's script starts.
        ScenarioLine safeZone;
        safeZone.action = Action::SafeZone;
        safeZone.value = screen.safeZone;
        safeZone.text = "safe zone (the sheet's)";
        options.scenario.lines.insert(options.scenario.lines.begin(), safeZone);
        std::filesystem::create_directories(options.outDir);
        const RunResult run = RunScenario(options);
        // Each run loads the module afresh, as the game would.
        DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_DETACH, nullptr);
        const std::uint64_t noticeFrame = FrameOf(run, "notice");
        const std::uint64_t menuFrame = FrameOf(run, "menu");
        if (!run.faults.empty()) {
            error = std::string(screen.label) + ": " + run.faults.front();
            drawn = false;
        } else if (noticeFrame == 0 || menuFrame == 0) {
            error = std::string(screen.label) + ": the scenario takes no picture named notice "
                                                "and menu";
            drawn = false;
        } else {
            // The run's game is kept until the next one begins.
            const sim::Game& game = sim::game();
            PictureContent content = FrameContent(game, menuFrame);
            // The sheet shows what the module draws; the feed's messages are
            // the game's, drawn over the minimap whatever the module does.
            content.feed.clear();
            const std::vector<sim::DrawItem>& notice = game.world.DrawList(noticeFrame);
            content.items.insert(content.items.begin(), notice.begin(), notice.end());
            // Drawn at the sheet's size, not scaled down: the pictures place
            // everything in fractions of their size, and letters stay sharp.
            Picture kept(static_cast<int>(CellWidth(screen)), static_cast<int>(1080 * kScale));
            Draw(kept, content);
            const double x = rowX[screen.row];
            const double y = kGap + screen.row * rowHeight;
            DrawLabel(cr, screen.label, x, y);
            cairo_set_source_surface(cr, kept.Surface(), x, y + kLabelHeight);
            cairo_paint(cr);
            rowX[screen.row] += CellWidth(screen) + kGap;
        }
    }
    cairo_destroy(cr);
    if (!drawn) {
        return false;
    }
    if (!sheet.SavePng(sheetPath)) {
        error = "cannot write " + sheetPath;
        return false;
    }
    return true;
}

} // namespace simapp
