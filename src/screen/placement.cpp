#include "screen/placement.h"

#include "game/log.h"
#include "game/natives.h"
#include "screen/draw_primitives.h"

// Until the first answer, the design's own screen.
ScreenPlacement placement = {.widthScale = 1.0f,
                             .leftX = 0.0f,
                             .rightX = 0.0f,
                             .centreX = 0.0f,
                             .topY = 0.0f,
                             .bottomY = 0.0f,
                             .menuWrapStart = 0.0f,
                             .menuWrapEnd = kMenuWrapRight,
                             .noticeX = kNoticeTextX,
                             .noticeWrapStart = 0.0f,
                             .noticeWrapEnd = 1.0f};

namespace {

constexpr float kDesignAspect = 16.0f / 9.0f;
// From here on the game renders across three screens side by side: the
// module draws on the middle one. One screen reaches 32:9 (3.56).
constexpr float kThreeScreensAspect = 3.7f;
// A screen this close to 16:9 (1366x768 is 1.7786) is drawn as the design,
// exactly, rather than a thousandth narrower.
constexpr float kNearDesignAspect = 0.01f;

// The answers the placement was worked out for, after the sanity rules.
float aspect = kDesignAspect;
float safeZone = 1.0f;

// A bad answer is logged once per start of the script, whatever comes after.
bool aspectRefusalLogged = false;
bool safeZoneRefusalLogged = false;

// An answer outside low to high, or one that is no number, counts as
// `usual`; the first of a start is logged, as "WHAT ANSWER: RULE".
[[gnu::cold]] float Sane(float answer, float low, float high, float usual, bool& logged,
                         const char* what, const char* rule) {
    if (answer >= low && answer <= high) {
        return answer;
    }
    if (!logged) {
        logged = true;
        LogBegin(what);
        LogFixed(answer, 3);
        LogText(rule);
        LogEnd();
    }
    return usual;
}

// The area the module draws in is the screen less the safe zone's margins,
// the middle screen of three. Written so that 16:9 at 1.0 gives a scale of
// exactly 1 and offsets of exactly 0: (16/9) / (16/9) is 1, 1 - 1 is 0.
[[gnu::cold]] void Place() {
    const bool three = aspect >= kThreeScreensAspect;
    const float areaLeft = three ? 1.0f / 3.0f : 0.0f;
    const float areaWidth = three ? 1.0f / 3.0f : 1.0f;
    const float k = kDesignAspect / aspect;
    const float margin = (1.0f - safeZone) * 0.5f;
    const float marginX = margin * areaWidth;
    placement.widthScale = k;
    // Left: L + mx + x k. Right: L + A - mx - (1 - x) k. Centred: L + A/2 +
    // (x - 1/2) k. Each as x k plus what does not depend on x.
    placement.leftX = areaLeft + marginX;
    placement.rightX = areaLeft + areaWidth - marginX - k;
    placement.centreX = areaLeft + areaWidth * 0.5f - 0.5f * k;
    placement.topY = margin;
    placement.bottomY = -margin;
    placement.menuWrapStart = PlaceLeft(0.0f);
    placement.menuWrapEnd = PlaceLeft(kMenuWrapRight);
    placement.noticeX = PlaceRight(kNoticeTextX);
    placement.noticeWrapStart = PlaceRight(0.0f);
    placement.noticeWrapEnd = PlaceRight(1.0f);
}

[[gnu::cold]] void LogScreenLine() {
    LogBegin("");
    LogScreen();
    LogEnd();
}

} // namespace

[[gnu::cold]] void AskScreen(bool atStart) {
    if (atStart) {
        aspectRefusalLogged = false;
        safeZoneRefusalLogged = false;
    }
    float newAspect =
        Sane(native::GET_ASPECT_RATIO(false), 1.0f, 8.0f, kDesignAspect, aspectRefusalLogged,
             "screen aspect ratio read ", ": outside 1.0 to 8.0, taken as 16:9");
    const float off = newAspect - kDesignAspect;
    if (off < kNearDesignAspect && off > -kNearDesignAspect) {
        newAspect = kDesignAspect;
    }
    const float newSafeZone =
        Sane(native::GET_SAFE_ZONE_SIZE(), 0.8f, 1.0f, 1.0f, safeZoneRefusalLogged,
             "safe zone read ", ": outside 0.8 to 1.0, taken as 1.0");
    const bool changed = newAspect != aspect || newSafeZone != safeZone;
    aspect = newAspect;
    safeZone = newSafeZone;
    Place();
    // The start report names the screen; later, only a change does.
    if (changed && !atStart) {
        LogScreenLine();
    }
}

[[gnu::cold]] void LogScreen() {
    LogText("screen ");
    LogFixed(aspect, 3);
    if (aspect >= kThreeScreensAspect) {
        LogText(" (three screens: the middle one)");
    }
    LogText(", safe zone ");
    LogFixed(safeZone, 2);
}
