#pragma once
// The boost's accents on screen: the game's screen effects and the launch's
// camera shake. The sounds are turbo_sound.h's.

// Starts the game's screen effect `name` unless it is already running.
void StartScreenEffectIfIdle(const char* name);

// The jolt of the launch.
void ShakeCameraForLaunch(float amplitude);
