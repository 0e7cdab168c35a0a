#pragma once
// Veloxan.log, beside the module file, for bug reports: short plain lines,
// one event per line, each led by the tick. Written only on events, never
// per frame, and never from the DLL entry. A failed write is dropped: the log
// never changes what the module does.
//
// A line is built in a fixed buffer and written whole:
//   LogBegin("boost launched at "); LogFixed(speed, 1); LogText(" m/s"); LogEnd();

#include <cstdint>

// At each start of the script: finds the file from the module's own handle
// and, when `fresh`, empties it (the first start after a load); later starts
// append.
void LogOpen(bool fresh);

void LogBegin(const char* text);
void LogText(const char* text);
// The text up to its first blank: INI key names that are asked with one.
void LogWord(const char* text);
void LogNumber(std::int64_t value);
// `value` rounded to `decimals` places (0 to 3); "?" below 0 or from a
// million up, which no speed or scale of the module reaches.
void LogFixed(float value, int decimals);
void LogEnd();

// A line of plain text.
void Log(const char* text);

// A session's log stops at this size, with one line saying so.
inline constexpr std::uint32_t kLogCapBytes = 256 * 1024;
