#include "game/log.h"

#include "game/own_module.h"
#include "platform/platform.h"

#include <cstring>

namespace {

// Empty while the file is unknown: nothing is written then.
WCHAR logPath[MAX_PATH] = {};

// INVALID_HANDLE_VALUE is Windows' own pointer-sized -1 for no file.
HANDLE NoFile() { return INVALID_HANDLE_VALUE; } // NOLINT(performance-no-int-to-ptr)

// The file's one handle for the whole load: opened by the first line, closed
// at the unload. NoFile() while closed; after a failed open the next line
// tries again.
HANDLE logFile = NoFile();
// Set by the first start of a load: the open empties the file.
bool emptyAtOpen = false;

// The line being built; the end of line always fits behind it. A path takes
// at most three bytes of UTF-8 for each of its MAX_PATH UTF-16 units.
char line[3 * MAX_PATH + 128] = {};
std::size_t lineLength = 0;
constexpr std::size_t kLineRoom = sizeof line - 2;

// Bytes written since the file was emptied, and whether they reached the cap.
std::uint32_t sessionBytes = 0;
bool logFull = false;

constexpr char kLogName[] = "Veloxan.log";
constexpr char kFullText[] = "log full at 256 KB: nothing more is written until the next load";

bool FileOpen() { return logFile != NoFile(); }

// Each line is one WriteFile: its bytes are with the system once the call
// returns, so a crash of the game loses none. The handle stays open, which
// keeps the open, the close and a virus scanner's pass at each close out of
// the frames that log. Other programs may read, write or delete the file
// meanwhile.
void WriteLine() {
    if (!FileOpen()) {
        logFile =
            CreateFileW(logPath, emptyAtOpen ? GENERIC_WRITE : FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        emptyAtOpen ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!FileOpen()) {
            return;
        }
        emptyAtOpen = false;
    }
    DWORD written = 0;
    WriteFile(logFile, line, static_cast<DWORD>(lineLength), &written, nullptr);
    sessionBytes += static_cast<std::uint32_t>(lineLength);
}

void AppendChars(const char* text, std::size_t count) {
    for (std::size_t k = 0; k < count && text[k] != '\0' && lineLength < kLineRoom; ++k) {
        line[lineLength++] = text[k];
    }
}

} // namespace

void LogOpen(bool fresh) {
    if (logPath[0] == 0) {
        const DWORD length = GetModuleFileNameW(OwnModule(), logPath, MAX_PATH);
        // A path cut short at MAX_PATH is no path at all.
        std::size_t folder = length < MAX_PATH ? length : 0;
        while (folder > 0 && logPath[folder - 1] != '\\' && logPath[folder - 1] != '/') {
            --folder;
        }
        if (folder == 0 || folder + sizeof kLogName > MAX_PATH) {
            logPath[0] = 0;
            return;
        }
        for (std::size_t k = 0; k < sizeof kLogName; ++k) {
            logPath[folder + k] = static_cast<WCHAR>(kLogName[k]);
        }
    }
    if (fresh) {
        // A new load starts a new log; the game never gets here with the
        // file still open, as the unload closes it.
        LogClose();
        emptyAtOpen = true;
        sessionBytes = 0;
        logFull = false;
    }
}

void LogClose() {
    if (FileOpen()) {
        CloseHandle(logFile);
        logFile = NoFile();
    }
}

void LogBegin(const char* text) {
    lineLength = 0;
    LogNumber(GetTickCount());
    LogText(" ");
    LogText(text);
}

void LogText(const char* text) { AppendChars(text, kLineRoom); }

void LogWord(const char* text) {
    const char* blank = std::strchr(text, ' ');
    AppendChars(text, blank != nullptr ? static_cast<std::size_t>(blank - text) : kLineRoom);
}

void LogNumber(std::int64_t value) {
    if (value < 0) {
        LogText("-");
    }
    std::uint64_t rest =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    while (count > 0 && lineLength < kLineRoom) {
        line[lineLength++] = digits[--count];
    }
}

void LogPath(const WCHAR* path) {
    // UTF-8 whatever the system's code page, so that a folder named in any
    // script reads as it is named.
    char text[3 * MAX_PATH];
    const int length = WideCharToMultiByte(CP_UTF8, 0, path, -1, text,
                                           static_cast<int>(sizeof text), nullptr, nullptr);
    LogText(length > 0 ? text : "?");
}

void LogFixed(float value, int decimals) {
    if (!(value >= 0.0f && value < 1.0e6f)) {
        LogText("?");
        return;
    }
    std::int64_t scale = 1;
    for (int k = 0; k < decimals && k < 3; ++k) {
        scale *= 10;
    }
    // The value is never negative here, so adding a half rounds to nearest.
    // NOLINTNEXTLINE(bugprone-incorrect-roundings)
    const auto scaled = static_cast<std::int64_t>(value * static_cast<float>(scale) + 0.5f);
    LogNumber(scaled / scale);
    if (scale > 1) {
        // The fraction written as scale + fraction keeps its leading zeros;
        // the leading 1 becomes the point.
        const std::size_t point = lineLength;
        LogNumber(scale + scaled % scale);
        if (point < lineLength) {
            line[point] = '.';
        }
    }
}

void LogEnd() {
    if (logPath[0] == '\0' || logFull) {
        return;
    }
    line[lineLength++] = '\r';
    line[lineLength++] = '\n';
    // Room is kept for the line that says the log is full.
    constexpr std::uint32_t kFullLineRoom = sizeof kFullText + 16;
    if (sessionBytes + lineLength > kLogCapBytes - kFullLineRoom) {
        logFull = true;
        LogBegin(kFullText);
        line[lineLength++] = '\r';
        line[lineLength++] = '\n';
    }
    WriteLine();
}

void Log(const char* text) {
    LogBegin(text);
    LogEnd();
}
