#include "settings/notifications.h"

#include "game/natives.h"
#include "game/pad_input.h"
#include "screen/draw_primitives.h"
#include "screen/placement.h"
#include "settings/settings.h"
#include "settings/shown_key_names.h"
#include "settings/texts.h"

using namespace native;

std::int32_t lastNotificationId = 0;

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

namespace {

// Line 2 of the first-run notice: how to open the menu with the keys in
// effect. Written by RefreshNoticeChord, read by every notice's draw.
// Room for the longest translation with the longest chord, in UTF-8.
char noticeChordLine[192] = {};

} // namespace

[[gnu::cold]] void RefreshNoticeChord() {
    // Windows is asked for the keys' names only for a notice to show.
    if (Settings.New_Install == 0) {
        return;
    }
    // The keys of the chord, held first, in the order the player presses them.
    char words[3][kShownKeyNameSize] = {};
    if (Settings.KEY_PC != 0 && Settings.KEY_PC_MENU != 0) {
        ShownNameOfSetting(Settings.KEY_PC_MENU, false, true, words[0], sizeof words[0]);
        ShownNameOfSetting(Settings.KEY_PC, false, true, words[1], sizeof words[1]);
    } else if (Settings.KEY_GAMEPAD_MENU != 0 && Settings.KEY_GAMEPAD != 0 && padIndex != -1) {
        // A mask of several buttons takes any of them: the first one names it.
        const std::int32_t masks[3] = {Settings.KEY_GAMEPAD_MENU, Settings.KEY_GAMEPAD,
                                       Settings.KEY_GAMEPAD_2};
        for (std::size_t k = 0; k < 3; ++k) {
            ShownNameOfSetting(masks[k] & -masks[k], true, true, words[k], sizeof words[k]);
        }
    } else {
        FormatText(noticeChordLine, sizeof noticeChordLine, Text(TextId::NoticeNoMenuKey), "");
        return;
    }
    char chord[3 * kShownKeyNameSize];
    std::size_t length = 0;
    // The module's own names, where Windows has none, are capitals too.
    const auto append = [&chord, &length](const char* text) {
        for (; *text != '\0' && length + 1 < sizeof chord; ++text) {
            const char c = *text;
            chord[length++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    };
    for (const char* word : words) {
        if (word[0] != '\0') {
            append(length != 0 ? " + " : "");
            append(word);
        }
    }
    chord[length] = '\0';
    FormatText(noticeChordLine, sizeof noticeChordLine, Text(TextId::NoticePressToEnter), chord);
}

void DrawFirstRunNotice() {
    // The box is centred a little left of the text column at x 0.8; the
    // notice keeps to the right and the top of the area the module draws in.
    DrawRect(PlaceRight(0.795f), PlaceTop(0.122f), PlaceWidth(0.302f), 0.11f, 0, 0, 0, 200);
    DrawNoticeText(PlaceTop(0.065f), "Veloxan");
    DrawNoticeText(PlaceTop(0.085f), noticeChordLine);
    DrawNoticeText(PlaceTop(0.105f), Text(TextId::NoticeRemove));
    DrawNoticeText(PlaceTop(0.125f), Text(TextId::NoticeHelp));
    DrawNoticeText(PlaceTop(0.145f), Text(TextId::NoticeThanks));
}
