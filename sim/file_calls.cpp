#include "sim/file_calls.h"

#include "sim/game.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace sim::platform {

namespace {

constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kFileAppendData = 0x0004;
constexpr std::uint32_t kCreateAlways = 2;
constexpr std::uint32_t kOpenAlways = 4;
constexpr std::uint32_t kShareAll = 0x7; // read, write and delete
constexpr std::uint32_t kAttributeArchive = 0x20;
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;
// Handles are small multiples of four, as Windows gives them; the first few
// belong to the process itself.
constexpr std::uintptr_t kFirstFileHandle = 0x100;
const auto kInvalidHandle = reinterpret_cast<void*>(~std::uintptr_t{0});

constexpr std::uint32_t kCodePageUtf8 = 65001;

// Copies as Windows does: a text that does not fit is cut and the whole
// buffer size returned; otherwise its length without the terminator.
std::uint32_t CopyOut(const std::u16string& text, char16_t* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::size_t count = text.size() < size ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), count * sizeof(char16_t));
    buffer[count] = u'\0';
    return text.size() < size ? static_cast<std::uint32_t>(count) : size;
}

// The text up to its terminator, at most `limit` units long.
std::u16string WideText(const char16_t* text, std::size_t limit = 32768) {
    std::u16string out;
    for (std::size_t k = 0; k < limit && text[k] != u'\0'; ++k) {
        out += text[k];
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

OpenFile* Find(void* file) {
    Game& g = game();
    const auto handle = reinterpret_cast<std::uintptr_t>(file);
    const std::uintptr_t index = (handle - kFirstFileHandle) / 4;
    if (handle < kFirstFileHandle || handle % 4 != 0 || index >= g.files.size() ||
        !g.files[index].open) {
        return nullptr;
    }
    return &g.files[index];
}

} // namespace

std::u16string Utf16(const std::string& utf8) {
    std::u16string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[k]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t m = 1; m < length && k + m < utf8.size(); ++m) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[k + m]) & 0x3F);
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        k += length;
    }
    return out;
}

std::string Utf8(const std::u16string& utf16) {
    std::string out;
    for (std::size_t k = 0; k < utf16.size(); ++k) {
        const char16_t unit = utf16[k];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool lowNext =
            k + 1 < utf16.size() && utf16[k + 1] >= 0xDC00 && utf16[k + 1] < 0xE000;
        if (high && lowNext) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                (static_cast<char32_t>(utf16[k + 1]) - 0xDC00));
            ++k;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::uint32_t ModuleFileName(const void* module, char16_t* buffer, std::uint32_t size) {
    Record(PlatformCall("GetModuleFileNameW", {IntValue(size)}));
    if (module == nullptr) {
        return CopyOut(Utf16(std::string(kGameFolder) + "\\GTA5.exe"), buffer, size);
    }
    if (module != ModuleHandle()) {
        Fault("GetModuleFileNameW on a module the game never loaded");
        return 0;
    }
    return CopyOut(Utf16(game().options.moduleFolder + "\\Veloxan.asi"), buffer, size);
}

std::uint32_t FullPathName(const char16_t* name, std::uint32_t size, char16_t* buffer) {
    if (name == nullptr) {
        Record(PlatformCall("GetFullPathNameW", {IntValue(size)}));
        Fault("GetFullPathNameW without a name");
        return 0;
    }
    std::string full = Utf8(WideText(name));
    Record(PlatformCall("GetFullPathNameW", {TextValue(full.c_str()), IntValue(size)}));
    if (full.rfind(".\\", 0) == 0) {
        full = std::string(kGameFolder) + full.substr(1);
    } else if (full.find(':') == std::string::npos) {
        full = std::string(kGameFolder) + "\\" + full;
    }
    const std::u16string wide = Utf16(full);
    // Too small a buffer: the size that would hold it, terminator included.
    if (wide.size() >= size) {
        return static_cast<std::uint32_t>(wide.size() + 1);
    }
    return CopyOut(wide, buffer, size);
}

std::uint32_t FileAttributes(const char* path) {
    Record(PlatformCall("GetFileAttributesA", {TextValue(path)}));
    if (path == nullptr) {
        Fault("GetFileAttributesA without a path");
        return kInvalidAttributes;
    }
    return std::filesystem::exists(game().IniPath(path)) ? kAttributeArchive : kInvalidAttributes;
}

void* FileCreate(const char16_t* path, std::uint32_t access, std::uint32_t share,
                 std::uint32_t disposition) {
    if (path == nullptr) {
        Record(PlatformCall("CreateFileW", {IntValue(access), IntValue(disposition)}));
        Fault("CreateFileW without a path");
        return kInvalidHandle;
    }
    const std::string name = Utf8(WideText(path));
    Record(PlatformCall("CreateFileW",
                        {TextValue(name.c_str()), IntValue(access), IntValue(disposition)}));
    const bool empty = access == kGenericWrite && disposition == kCreateAlways;
    const bool append = access == kFileAppendData && disposition == kOpenAlways;
    if (!empty && !append) {
        Fault("CreateFileW: only an emptied or an appended file is expected");
        return kInvalidHandle;
    }
    // Others may read, write and delete the log while the game runs.
    if ((share & kShareAll) != kShareAll) {
        Fault("CreateFileW: the log must stay open to reading, writing and deleting by others");
    }
    Game& g = game();
    const std::string hostPath = g.IniPath(name.c_str());
    std::ofstream file(hostPath, empty ? std::ios::binary | std::ios::trunc
                                       : std::ios::binary | std::ios::app);
    if (!file) {
        return kInvalidHandle;
    }
    g.files.push_back({hostPath, true});
    return reinterpret_cast<void*>(kFirstFileHandle + 4 * (g.files.size() - 1));
}

bool FileWrite(void* file, const void* bytes, std::uint32_t count, std::uint32_t* written) {
    Record(PlatformCall("WriteFile", {IntValue(count)}));
    OpenFile* open = Find(file);
    if (open == nullptr || bytes == nullptr) {
        Fault("WriteFile on a handle that is not an open file, or without bytes");
        return false;
    }
    std::ofstream out(open->path, std::ios::binary | std::ios::app);
    out.write(static_cast<const char*>(bytes), count);
    if (written != nullptr) {
        *written = out ? count : 0;
    }
    return static_cast<bool>(out);
}

bool FileClose(void* file) {
    Record(PlatformCall("CloseHandle"));
    OpenFile* open = Find(file);
    if (open == nullptr) {
        Fault("CloseHandle on a handle that is not an open file");
        return false;
    }
    open->open = false;
    return true;
}

int WideToUtf8(std::uint32_t codePage, std::uint32_t flags, const char16_t* wide, int wideCount,
               char* out, int outSize, bool defaultCharGiven) {
    Record(PlatformCall("WideCharToMultiByte", {IntValue(codePage), IntValue(wideCount)}));
    if (codePage != kCodePageUtf8 || flags != 0 || defaultCharGiven || wide == nullptr ||
        wideCount != -1 || outSize < 0) {
        Fault("WideCharToMultiByte: only a whole text to UTF-8, without flags or default "
              "characters, is expected");
        return 0;
    }
    const std::string text = Utf8(WideText(wide));
    const int needed = static_cast<int>(text.size()) + 1;
    if (outSize == 0) {
        return needed;
    }
    if (out == nullptr || needed > outSize) {
        return 0;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return needed;
}

std::size_t OpenFileCount() {
    std::size_t count = 0;
    for (const OpenFile& file : game().files) {
        count += file.open ? 1 : 0;
    }
    return count;
}

} // namespace sim::platform
