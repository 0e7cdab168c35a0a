#pragma once
// The module's messages to the player outside the menu: one notification
// in the game's feed at a time, and the first-run notice.

#include <cstdint>

// Handle of the module's latest feed message; 0 before the first. Written
// only by ShowNotification.
extern std::int32_t lastNotificationId;

// Posts `text` to the feed in place of the module's previous message.
// Silent while display_notifications is 0.
void ShowNotification(const char* text);

// Draws the notice for this frame; the main loop calls it while New_Install.
void DrawFirstRunNotice();

// Builds the notice's line that names the keys that open the menu: the
// keyboard's chord in effect, else the pad's, else which setting to put in
// Veloxan.ini. Once at start, after the settings, the pad and the language:
// the notice ends for good when the menu first opens, before any key can
// change in it.
void RefreshNoticeChord();
