#pragma once
// Veloxan.log, beside the module file, for bug reports: short plain lines,
// one event per line, each led by the tick. Written only on events, never
// per frame, and never from the DLL entry. A failed write is dropped: the log
// never changes what the module does.
//
// A line is built in a fixed buffer and written whole:
//   LogBegin("boost launched at "); LogFixed(speed, 1); LogText(" m/s"); LogEnd();

#include "platform/platform.h"

#include <cstdint>

// At each start of the script: finds the file from the module's own handle
// and, when `fresh` (the first start after a load), has the first line empty
// it; later starts append.
void LogOpen(bool fresh);

// At the unload: lets the file go. The next line would open it again.
void LogClose();

void LogBegin(const char* text);
void LogText(const char* text);
// The text up to its first blank: INI key names that are asked with one.
void LogWord(const char* text);
void LogNumber(std::int64_t value);
// A path as Windows gives it, written as UTF-8; "?" if it cannot be.
void LogPath(const WCHAR* path);
// `value` rounded to `decimals` places (0 to 3); "?" below 0 or from a
// million up, which no speed or scale of the module reaches.
void LogFixed(float value, int decimals);
void LogEnd();

// A line of plain text.
void Log(const char* text);

// A session's log stops at this size, with one line saying so.
inline constexpr std::uint32_t kLogCapBytes = 256 * 1024;
