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
constexpr std::uint32_t kAttributeArchive = 0x20;
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;
// Handles are small multiples of four, as Windows gives them; the first few
// belong to the process itself.
constexpr std::uintptr_t kFirstFileHandle = 0x100;
const auto kInvalidHandle = reinterpret_cast<void*>(~std::uintptr_t{0});

// Copies as Windows does: a text that does not fit is cut and the whole
// buffer size returned; otherwise its length without the terminator.
std::uint32_t CopyOut(const std::string& text, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::size_t count = text.size() < size ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return text.size() < size ? static_cast<std::uint32_t>(count) : size;
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

std::uint32_t ModuleFileName(const void* module, char* buffer, std::uint32_t size) {
    Record(PlatformCall("GetModuleFileNameA", {IntValue(size)}));
    if (module == nullptr) {
        return CopyOut(std::string(kGameFolder) + "\\GTA5.exe", buffer, size);
    }
    if (module != ModuleHandle()) {
        Fault("GetModuleFileNameA on a module the game never loaded");
        return 0;
    }
    return CopyOut(std::string(kGameFolder) + "\\Veloxan.asi", buffer, size);
}

std::uint32_t FullPathName(const char* name, std::uint32_t size, char* buffer) {
    Record(PlatformCall("GetFullPathNameA", {TextValue(name), IntValue(size)}));
    if (name == nullptr) {
        Fault("GetFullPathNameA without a name");
        return 0;
    }
    std::string full = name;
    if (full.rfind(".\\", 0) == 0) {
        full = std::string(kGameFolder) + full.substr(1);
    } else if (full.find(':') == std::string::npos) {
        full = std::string(kGameFolder) + "\\" + full;
    }
    // Too small a buffer: the size that would hold it, terminator included.
    if (full.size() >= size) {
        return static_cast<std::uint32_t>(full.size() + 1);
    }
    return CopyOut(full, buffer, size);
}

std::uint32_t FileAttributes(const char* path) {
    Record(PlatformCall("GetFileAttributesA", {TextValue(path)}));
    if (path == nullptr) {
        Fault("GetFileAttributesA without a path");
        return kInvalidAttributes;
    }
    return std::filesystem::exists(game().IniPath(path)) ? kAttributeArchive : kInvalidAttributes;
}

void* FileCreate(const char* path, std::uint32_t access, std::uint32_t share,
                 std::uint32_t disposition) {
    Record(PlatformCall("CreateFileA", {TextValue(path), IntValue(access), IntValue(disposition)}));
    if (path == nullptr) {
        Fault("CreateFileA without a path");
        return kInvalidHandle;
    }
    const bool empty = access == kGenericWrite && disposition == kCreateAlways;
    const bool append = access == kFileAppendData && disposition == kOpenAlways;
    if (!empty && !append) {
        Fault("CreateFileA: only an emptied or an appended file is expected");
        return kInvalidHandle;
    }
    // Others may read the log while the game runs.
    if ((share & 1u) == 0) {
        Fault("CreateFileA: the log must stay readable by other programs");
    }
    Game& g = game();
    const std::string hostPath = g.IniPath(path);
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

std::size_t OpenFileCount() {
    std::size_t count = 0;
    for (const OpenFile& file : game().files) {
        count += file.open ? 1 : 0;
    }
    return count;
}

} // namespace sim::platform
