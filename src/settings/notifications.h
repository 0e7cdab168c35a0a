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

// Builds the notice's texts in the language picked at this start.
void PrepareFirstRunNotice();

// Draws the notice for this frame; the main loop calls it while New_Install.
void DrawFirstRunNotice();
