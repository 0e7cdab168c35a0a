#pragma once
// The turbo trigger as the main loop polls it once per frame.

// True when the trigger is pressed on this pass: the keyboard's KEY_PC, or
// the chord KEY_PC + KEY_PC_2, with the menu key up (KEY_PC + KEY_PC_MENU
// belongs to the menu); else the pad's KEY_GAMEPAD, or KEY_GAMEPAD with
// KEY_GAMEPAD_2. With the pad menu on, the pad trigger does not fire while a
// button of KEY_GAMEPAD_MENU is held nor while the menu is on screen. Every
// test waits for the shared 200 ms since lastKeyTick.
// The pad is polled only when the keyboard's own test failed, not when just
// the second key of the chord is missing.
bool TriggerPressed();
