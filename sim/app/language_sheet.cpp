#include "sim/app/language_sheet.h"

#include "script/script_main.h"
#include "settings/texts.h"
#include "sim/app/picture.h"
#include "sim/app/run.h"
#include "sim/app/scenario.h"
#include "sim/game.h"

#include <cairo.h>

#include <filesystem>

namespace simapp {

namespace {

// The parts of a 1920x1080 picture where the module draws, in pixels: the
// notice's box at the top right, and the menu from its header to below a
// full page's description.
struct Part {
    double x, y, width, height;
};
constexpr Part kNoticePart = {1225, 59, 610, 146};
constexpr Part kMenuPart = {0, 54, 310, 660};

constexpr double kGap = 12;
constexpr double kCellWidth = kNoticePart.width + kGap;
constexpr double kCellHeight = kNoticePart.height + kMenuPart.height + 3 * kGap;
constexpr int kColumns = 5;
constexpr int kRows = (static_cast<int>(kLanguageCount) + kColumns - 1) / kColumns;
// The sheet is drawn at full size and kept at this fraction of it.
constexpr double kSheetScale = 0.6;

void DrawPart(cairo_t* cr, const Picture& from, const Part& part, double x, double y) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, part.width, part.height);
    cairo_clip(cr);
    cairo_set_source_surface(cr, from.Surface(), x - part.x, y - part.y);
    cairo_paint(cr);
    cairo_restore(cr);
}

void DrawTag(cairo_t* cr, const char* tag, double x, double y) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 44);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, tag);
}

// The run's picture whose name ends in "-WHAT.png".
bool LoadNamed(const RunResult& run, const std::string& folder, const std::string& what,
               Picture& picture) {
    const std::string ending = "-" + what + ".png";
    for (const std::string& name : run.pictures) {
        if (name.size() > ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
            return picture.LoadPng(folder + "/" + name);
        }
    }
    return false;
}

} // namespace

bool DrawLanguageSheet(const std::string& iniPath, const std::string& scenarioPath,
                       const std::string& outDir, const std::string& sheetPath,
                       std::string& error) {
    RunOptions options;
    if (!LoadScenario(scenarioPath, options.scenario, error)) {
        return false;
    }
    options.iniPath = iniPath;
    options.quiet = true;

    Picture sheet(static_cast<int>(kColumns * kCellWidth + kGap),
                  static_cast<int>(kRows * kCellHeight + kGap));
    cairo_t* cr = cairo_create(sheet.Surface());
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
    cairo_paint(cr);
    bool drawn = true;
    for (std::size_t language = 0; language < kLanguageCount && drawn; ++language) {
        const char* tag = kLanguageTags[language];
        options.outDir = outDir + "/" + tag;
        options.language = static_cast<int>(language);
        std::filesystem::create_directories(options.outDir);
        const RunResult run = RunScenario(options);
        // Each run loads the module afresh, as the game would.
        DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_DETACH, nullptr);
        Picture notice(kPictureWidth, kPictureHeight);
        Picture menu(kPictureWidth, kPictureHeight);
        if (!run.faults.empty()) {
            error = std::string(tag) + ": " + run.faults.front();
            drawn = false;
        } else if (!LoadNamed(run, options.outDir, "notice", notice) ||
                   !LoadNamed(run, options.outDir, "menu", menu)) {
            error = std::string(tag) + ": the scenario takes no picture named notice and menu";
            drawn = false;
        } else {
            const double x = kGap + static_cast<double>(language % kColumns) * kCellWidth;
            const double y = kGap + static_cast<double>(language / kColumns) * kCellHeight;
            DrawPart(cr, notice, kNoticePart, x, y);
            const double menuTop = y + kNoticePart.height + kGap;
            DrawPart(cr, menu, kMenuPart, x, menuTop);
            DrawTag(cr, tag, x + kMenuPart.width + 2 * kGap, menuTop + 60);
        }
    }
    cairo_destroy(cr);
    if (!drawn) {
        return false;
    }
    Picture kept(static_cast<int>(sheet.Width() * kSheetScale),
                 static_cast<int>(sheet.Height() * kSheetScale));
    ScaleTo(sheet, kept);
    if (!kept.SavePng(sheetPath)) {
        error = "cannot write " + sheetPath;
        return false;
    }
    return true;
}

} // namespace simapp
