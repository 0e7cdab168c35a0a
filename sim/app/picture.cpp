#include "sim/app/picture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace simapp {

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";
// Cairo's toy text API takes one face and does not fall back per letter: a
// text in Cyrillic, Korean, Japanese or Chinese is drawn whole in the smallest
// Debian font that has all four (fonts-wqy-microhei), the rest as before.
constexpr const char* kWideFontFamily = "WenQuanYi Micro Hei";

const char* FontFor(const std::string& text) {
    // A lead byte of U+0370 or above: Greek, Cyrillic and everything after.
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xCE && byte < 0xF8) {
            return kWideFontFamily;
        }
    }
    return kFontFamily;
}

struct Segment {
    std::string text;
    Rgb colour;
};

// One word with the colours its letters carry.
struct Word {
    std::vector<Segment> segments;
    bool lineBreakBefore = false;
};

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, alpha);
}

// The text split into words at blanks and at ~n~, each letter in the colour
// the codes before it chose; ~s~ goes back to the style's colour.
std::vector<Word> SplitWords(const std::string& text, Rgb styleColour) {
    std::vector<Word> words(1);
    Rgb colour = styleColour;
    auto append = [&](char c) {
        std::vector<Segment>& segs = words.back().segments;
        if (segs.empty() || segs.back().colour.red != colour.red ||
            segs.back().colour.green != colour.green || segs.back().colour.blue != colour.blue) {
            segs.push_back({"", colour});
        }
        segs.back().text += c;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '~' && i + 2 < text.size() && text[i + 2] == '~') {
            const char code = text[i + 1];
            Rgb selected;
            if (code == 's') {
                colour = styleColour;
            } else if (code == 'n') {
                words.push_back({});
                words.back().lineBreakBefore = true;
            } else if (CodeColour(code, selected)) {
                colour = selected;
            }
            i += 2;
        } else if (c == ' ') {
            if (!words.back().segments.empty()) {
                words.push_back({});
            }
        } else {
            append(c);
        }
    }
    return words;
}

double Advance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

double WordWidth(cairo_t* cr, const Word& w) {
    double width = 0.0;
    for (const Segment& s : w.segments) {
        width += Advance(cr, s.text);
    }
    return width;
}

// Words filled into lines no wider than `limit` pixels; a word wider than
// the limit stands on a line of its own.
std::vector<std::vector<const Word*>> WrapLines(cairo_t* cr, const std::vector<Word>& words,
                                                double limit) {
    std::vector<std::vector<const Word*>> lines(1);
    const double space = Advance(cr, " ");
    double width = 0.0;
    for (const Word& w : words) {
        const double ww = WordWidth(cr, w);
        if (!lines.back().empty() && (w.lineBreakBefore || width + space + ww > limit)) {
            lines.emplace_back();
            width = 0.0;
        } else if (w.lineBreakBefore && lines.back().empty() && lines.size() > 1) {
            lines.emplace_back();
        }
        if (w.segments.empty()) {
            continue;
        }
        width += (lines.back().empty() ? 0.0 : space) + ww;
        lines.back().push_back(&w);
    }
    return lines;
}

double LineWidth(cairo_t* cr, const std::vector<const Word*>& line) {
    double width = 0.0;
    for (const Word* w : line) {
        width += (width > 0.0 ? Advance(cr, " ") : 0.0) + WordWidth(cr, *w);
    }
    return width;
}

enum class Pass { Shadow, Outline, Fill };

void DrawLinePass(cairo_t* cr, const std::vector<const Word*>& line, double x, double baseline,
                  Pass pass, const sim::TextStyle& style) {
    const double alpha = style.colour[3] / 255.0;
    const double space = Advance(cr, " ");
    double pen = x;
    for (const Word* w : line) {
        for (const Segment& s : w->segments) {
            if (pass == Pass::Shadow) {
                const sim::TextStyle& st = style;
                cairo_move_to(cr, pen + 2.0, baseline + 2.0);
                SetColour(cr, {st.dropShadow[1], st.dropShadow[2], st.dropShadow[3]},
                          alpha * st.dropShadow[4] / 255.0);
                cairo_show_text(cr, s.text.c_str());
            } else if (pass == Pass::Outline) {
                cairo_move_to(cr, pen, baseline);
                cairo_text_path(cr, s.text.c_str());
                const Rgb edge =
                    style.edgeSet ? Rgb{style.edge[1], style.edge[2], style.edge[3]} : Rgb{0, 0, 0};
                const double edgeAlpha = style.edgeSet ? style.edge[4] / 255.0 : 1.0;
                SetColour(cr, edge, alpha * edgeAlpha);
                cairo_stroke(cr);
            } else {
                cairo_move_to(cr, pen, baseline);
                SetColour(cr, s.colour, alpha);
                cairo_show_text(cr, s.text.c_str());
            }
            pen += Advance(cr, s.text);
        }
        pen += space;
    }
}

// Font 0 at a text scale, for a screen `height` pixels high.
void SelectTextFont(cairo_t* cr, const std::string& text, double scaleX, double scaleY,
                    double height) {
    const double unit = kFontPixelsPerScale * height / 1080.0;
    cairo_select_font_face(cr, FontFor(text), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, scaleX * unit * kFontWidthFactor, scaleY * unit);
    cairo_set_font_matrix(cr, &m);
}

// The feed's font: its own plain size, whatever the module asked for.
double FeedFontSize(double height) { return 20.0 * height / 1080.0; }

TextLayout Layout(cairo_t* cr, const std::string& text, double limit) {
    const std::vector<Word> words = SplitWords(text, {255, 255, 255});
    const auto lines = WrapLines(cr, words, limit);
    TextLayout layout;
    layout.lines = static_cast<int>(lines.size());
    for (const auto& line : lines) {
        layout.width = std::max(layout.width, LineWidth(cr, line));
    }
    return layout;
}

void DrawText(cairo_t* cr, const sim::DrawnText& t, double width, double height) {
    const sim::TextStyle& style = t.style;
    const double unit = kFontPixelsPerScale * height / 1080.0;
    SelectTextFont(cr, t.text, style.scaleX, style.scaleY, height);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);

    const Rgb styleColour{style.colour[0], style.colour[1], style.colour[2]};
    const std::vector<Word> words = SplitWords(t.text, styleColour);
    double limit =
        style.centre ? (style.wrapEnd - style.wrapStart) * width : (style.wrapEnd - t.x) * width;
    if (limit <= 0.0) {
        limit = width;
    }
    const auto lines = WrapLines(cr, words, limit);

    const bool shadow = style.dropShadow[0] > 0 && style.dropShadow[4] > 0;
    const bool outline = style.outline || (style.edgeSet && style.edge[4] > 0);
    cairo_set_line_width(cr, std::max(1.5, 0.08 * style.scaleY * unit));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (Pass pass : {Pass::Shadow, Pass::Outline, Pass::Fill}) {
        if ((pass == Pass::Shadow && !shadow) || (pass == Pass::Outline && !outline)) {
            continue;
        }
        double baseline = t.y * height + fe.ascent;
        for (const auto& line : lines) {
            const double lineWidth = LineWidth(cr, line);
            const double x = style.centre ? t.x * width - lineWidth / 2.0 : t.x * width;
            DrawLinePass(cr, line, x, baseline, pass, style);
            baseline += fe.height;
        }
    }
}

// Whole pixels, as the game fills them: bands that touch leave no seam.
void DrawRect(cairo_t* cr, const sim::DrawnRect& r, double width, double height) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, (r.x - r.width / 2.0) * width, (r.y - r.height / 2.0) * height,
                    r.width * width, r.height * height);
    SetColour(cr, {r.red, r.green, r.blue}, std::clamp(r.alpha, 0, 255) / 255.0);
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
}

void DrawBackdrop(cairo_t* cr, double w, double h) {
    const double horizon = 0.45 * h;
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.36, 0.58, 0.82);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.80, 0.87, 0.92);
    cairo_rectangle(cr, 0, 0, w, horizon);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);

    cairo_rectangle(cr, 0, horizon, w, h - horizon);
    cairo_set_source_rgb(cr, 0.40, 0.50, 0.30);
    cairo_fill(cr);

    // The road runs straight ahead to a vanishing point on the horizon.
    const double vx = 0.5 * w;
    cairo_move_to(cr, vx - 0.01 * w, horizon);
    cairo_line_to(cr, vx + 0.01 * w, horizon);
    cairo_line_to(cr, 0.92 * w, h);
    cairo_line_to(cr, 0.08 * w, h);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.30, 0.30, 0.32);
    cairo_fill(cr);

    cairo_set_source_rgb(cr, 0.92, 0.92, 0.90);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, vx + side * 0.009 * w, horizon);
        cairo_line_to(cr, vx + side * 0.40 * w, h);
        cairo_set_line_width(cr, 6.0);
        cairo_stroke(cr);
    }
    // Centre dashes, longer towards the viewer.
    cairo_set_source_rgb(cr, 0.95, 0.80, 0.25);
    for (double f = 0.02; f < 1.0; f *= 1.6) {
        const double far = horizon + (h - horizon) * f;
        const double near = horizon + (h - horizon) * std::min(1.0, f * 1.3);
        const double halfFar = 2.0 + 8.0 * f, halfNear = 2.0 + 8.0 * std::min(1.0, f * 1.3);
        cairo_move_to(cr, vx - halfFar, far);
        cairo_line_to(cr, vx + halfFar, far);
        cairo_line_to(cr, vx + halfNear, near);
        cairo_line_to(cr, vx - halfNear, near);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

// The radar's place at the bottom left, where the game draws its minimap, on
// a 16:9 screen at the largest safe zone.
constexpr double kMapLeft = 0.016, kMapTop = 0.79, kMapWidth = 0.141, kMapHeight = 0.175;

// From this shape on, the game renders across three screens side by side and
// keeps its HUD on the middle one.
constexpr double kThreeScreens = 3.7;

bool ThreeScreens(double w, double h) { return w >= kThreeScreens * h; }

struct Box {
    double left, top, width, height;
};

// The minimap in pixels: the game keeps it in shape on any screen, inside the
// player's safe zone, on the middle screen of three.
Box MapBox(double w, double h, double safeZone) {
    const bool three = ThreeScreens(w, h);
    const double areaLeft = three ? w / 3.0 : 0.0;
    const double areaWidth = three ? w / 3.0 : w;
    const double zone = safeZone >= 0.5 && safeZone <= 1.0 ? safeZone : 1.0;
    const double margin = (1.0 - zone) / 2.0;
    const double designWidth = h * 16.0 / 9.0;
    return {areaLeft + margin * areaWidth + kMapLeft * designWidth, (kMapTop - margin) * h,
            kMapWidth * designWidth, kMapHeight * h};
}

// The edges where three screens meet.
void DrawBezels(cairo_t* cr, double w, double h) {
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.06);
    for (const double at : {w / 3.0, 2.0 * w / 3.0}) {
        cairo_rectangle(cr, at - 6.0, 0.0, 12.0, h);
        cairo_fill(cr);
    }
}

void DrawMinimap(cairo_t* cr, const Box& map) {
    cairo_rectangle(cr, map.left, map.top, map.width, map.height);
    cairo_set_source_rgba(cr, 0.12, 0.16, 0.14, 0.85);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.9);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    // The player's arrow in the middle.
    const double cx = map.left + map.width / 2, cy = map.top + map.height / 2;
    cairo_move_to(cr, cx, cy - 12);
    cairo_line_to(cr, cx + 8, cy + 9);
    cairo_line_to(cr, cx - 8, cy + 9);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_fill(cr);
}

// Feed messages in boxes stacked upwards from just above the minimap, the
// newest lowest, in the feed's own plain style.
void DrawFeed(cairo_t* cr, const std::vector<FeedLine>& feed, const Box& map, double h) {
    const double pad = 10.0 * h / 1080.0, gap = 6.0 * h / 1080.0;
    double bottom = map.top - gap;
    for (auto it = feed.rbegin(); it != feed.rend(); ++it) {
        cairo_select_font_face(cr, FontFor(it->text), CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, FeedFontSize(h));
        cairo_font_extents_t fe;
        cairo_font_extents(cr, &fe);
        const std::vector<Word> words = SplitWords(it->text, {255, 255, 255});
        const auto lines = WrapLines(cr, words, map.width - 2 * pad);
        const double boxHeight = static_cast<double>(lines.size()) * fe.height + 2 * pad;
        const double top = bottom - boxHeight;
        cairo_rectangle(cr, map.left, top, map.width, boxHeight);
        cairo_set_source_rgba(cr, 0.05, 0.05, 0.08, 0.80);
        cairo_fill(cr);
        cairo_rectangle(cr, map.left, top, 4.0, boxHeight);
        cairo_set_source_rgb(cr, 0.95, 0.55, 0.0);
        cairo_fill(cr);
        double baseline = top + pad + fe.ascent;
        sim::TextStyle white;
        for (const auto& line : lines) {
            DrawLinePass(cr, line, map.left + pad + 4.0, baseline, Pass::Fill, white);
            baseline += fe.height;
        }
        bottom = top - gap;
    }
}

// The game's state at the top centre, where the module never draws: white
// monospace in a dark box with a dashed cyan frame, as the live HUD is drawn.
void DrawGameState(cairo_t* cr, const std::string& label, double w, double h) {
    const double size = 30.0 * h / 1080.0, pad = 12.0 * h / 1080.0;
    const std::string text = "game " + label;
    cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const double width = Advance(cr, text) + 2 * pad;
    const double height = fe.ascent + fe.descent + 2 * pad;
    const double left = (w - width) / 2.0, top = 0.02 * h;
    cairo_rectangle(cr, left, top, width, height);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.78);
    cairo_fill(cr);
    cairo_rectangle(cr, left + 1.5, top + 1.5, width - 3.0, height - 3.0);
    const double dash[] = {9.0, 6.0};
    cairo_set_dash(cr, dash, 2, 0.0);
    cairo_set_line_width(cr, 3.0);
    cairo_set_source_rgb(cr, 0.0, 0.86, 1.0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    cairo_move_to(cr, left + pad, top + pad + fe.ascent);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_show_text(cr, text.c_str());
}

} // namespace

bool CodeColour(char code, Rgb& colour) {
    switch (code) {
    case 'r':
        colour = {224, 50, 50};
        return true;
    case 'g':
        colour = {114, 204, 114};
        return true;
    case 'b':
        colour = {93, 182, 229};
        return true;
    case 'y':
        colour = {240, 200, 80};
        return true;
    case 'o':
        colour = {255, 133, 85};
        return true;
    case 'p':
        colour = {132, 102, 226};
        return true;
    case 'c':
        colour = {139, 139, 139};
        return true;
    case 'm':
        colour = {77, 77, 77};
        return true;
    case 'u':
        colour = {0, 0, 0};
        return true;
    case 'w':
        colour = {255, 255, 255};
        return true;
    default:
        return false;
    }
}

Picture::Picture(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {}

Picture::Picture(Picture&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_) {
    other.surface_ = nullptr;
}

Picture::~Picture() {
    if (surface_ != nullptr) {
        cairo_surface_destroy(surface_);
    }
}

Rgb Picture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {-1, -1, -1};
    }
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::uint32_t p = 0;
    std::copy_n(data + y * stride + x * 4, 4, reinterpret_cast<unsigned char*>(&p));
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

bool Picture::SavePng(const std::string& path) const {
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool Picture::LoadPng(const std::string& path) {
    cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(loaded) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(loaded);
        return false;
    }
    cairo_surface_destroy(surface_);
    surface_ = loaded;
    width_ = cairo_image_surface_get_width(loaded);
    height_ = cairo_image_surface_get_height(loaded);
    return true;
}

void Draw(Picture& picture, const PictureContent& content) {
    cairo_t* cr = cairo_create(picture.Surface());
    const double w = picture.Width(), h = picture.Height();
    const Box map = MapBox(w, h, content.safeZone);
    if (content.backdrop) {
        DrawBackdrop(cr, w, h);
        if (ThreeScreens(w, h)) {
            DrawBezels(cr, w, h);
        }
        DrawMinimap(cr, map);
    } else {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    }
    // The game draws a frame's texts over its rectangles, whatever the order
    // of the calls: the menu draws each row's text before its dark band.
    for (const sim::DrawItem& item : content.items) {
        if (item.kind == sim::DrawItem::Rect) {
            DrawRect(cr, item.rect, w, h);
        }
    }
    for (const sim::DrawItem& item : content.items) {
        if (item.kind == sim::DrawItem::Text) {
            DrawText(cr, item.text, w, h);
        }
    }
    if (!content.feed.empty()) {
        DrawFeed(cr, content.feed, map, h);
    }
    if (!content.gameState.empty()) {
        DrawGameState(cr, content.gameState, w, h);
    }
    cairo_destroy(cr);
}

TextLayout MeasureText(const std::string& text, double scale, double limit) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    SelectTextFont(cr, text, scale, scale, kPictureHeight);
    const TextLayout layout = Layout(cr, text, limit);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return layout;
}

TextLayout MeasureFeedText(const std::string& text) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, FontFor(text), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, FeedFontSize(kPictureHeight));
    const TextLayout layout = Layout(cr, text, FeedTextRoom());
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return layout;
}

double FeedTextRoom() { return kMapWidth * kPictureWidth - 2 * 10.0; }

void ScaleTo(const Picture& from, Picture& to) {
    cairo_t* cr = cairo_create(to.Surface());
    cairo_scale(cr, static_cast<double>(to.Width()) / from.Width(),
                static_cast<double>(to.Height()) / from.Height());
    cairo_set_source_surface(cr, from.Surface(), 0, 0);
    // Bilinear is a tenth of the cost of cairo's "good" filter at these
    // sizes, and the live window needs it every frame.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
}

} // namespace simapp

// Fontconfig keeps its configuration for the life of the process, which the
// leak checker of the sanitized host build would report at exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
