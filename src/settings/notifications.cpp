#include "settings/notifications.h"

#include "host/natives.h"
#include "menu/draw_primitives.h"
#include "settings/settings.h"
#include "settings/texts.h"

using namespace native;

std::int32_t lastNotificationId = 0;

namespace {

// The notice's second line, with the chord filled in; built at start, in the
// language picked then, and drawn each frame.
char pressToEnter[128] = {};

} // namespace

[[gnu::cold]] void PrepareFirstRunNotice() {
    FormatText(pressToEnter, sizeof pressToEnter, Text(TextId::NoticePressToEnter), "SHIFT + T");
}

void ShowNotification(const char* text) {
    if (Settings.display_notifications == 0) {
        return;
    }
    // The feed keeps one message of ours: drop the previous before posting.
    _REMOVE_NOTIFICATION(lastNotificationId);
    SET_TEXT_FONT(0);
    SET_TEXT_SCALE(0.55f, 0.55f);
    SetTextColourWhite();
    SET_TEXT_WRAP(0.0f, 1.0f);
    SET_TEXT_CENTRE(true);
    SetTextDropShadowOff();
    SetTextEdgeBlack();
    _SET_NOTIFICATION_TEXT_ENTRY("STRING");
    _ADD_TEXT_COMPONENT_STRING(text);
    lastNotificationId = _DRAW_NOTIFICATION(false, true);
}

void DrawFirstRunNotice() {
    // The box is centred a little left of the text column at x 0.8.
    DrawRect(0.795f, 0.122f, 0.302f, 0.11f, 0, 0, 0, 200);
    DrawNoticeText(0.065f, "Veloxan");
    DrawNoticeText(0.085f, pressToEnter);
    DrawNoticeText(0.105f, Text(TextId::NoticeRemove));
    DrawNoticeText(0.125f, Text(TextId::NoticeHelp));
    DrawNoticeText(0.145f, Text(TextId::NoticeThanks));
}
