#pragma once
// The file and path functions the module's log uses, as the simulated game
// answers them: the module file sits in Options::moduleFolder (the game
// folder, kGameFolder, unless a test moves it), the game's executable in
// kGameFolder, which is also the current directory; files there are written
// into Options::fileRoot. Wide texts are UTF-16, as Windows has them; the
// game's own paths are UTF-8. Only the forms the module needs are accepted,
// anything else is a fault.

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim::platform {

std::uint32_t ModuleFileName(const void* module, char16_t* buffer, std::uint32_t size);
std::uint32_t FullPathName(const char16_t* name, std::uint32_t size, char16_t* buffer);
std::uint32_t FileAttributes(const char* path);
// CreateFileW: GENERIC_WRITE with CREATE_ALWAYS empties the file,
// FILE_APPEND_DATA with OPEN_ALWAYS appends to it.
void* FileCreate(const char16_t* path, std::uint32_t access, std::uint32_t share,
                 std::uint32_t disposition);
bool FileWrite(void* file, const void* bytes, std::uint32_t count, std::uint32_t* written);
bool FileClose(void* file);
// WideCharToMultiByte for CP_UTF8, the one form the module uses: the length
// in bytes with the terminator when `wideCount` is -1, 0 when `out` is too
// small; an unpaired surrogate becomes U+FFFD, as Windows makes it.
int WideToUtf8(std::uint32_t codePage, std::uint32_t flags, const char16_t* wide, int wideCount,
               char* out, int outSize, bool defaultCharGiven);

// Files the module opened and has not closed.
std::size_t OpenFileCount();

// UTF-8 and UTF-16, both ways, for the game's own paths.
std::u16string Utf16(const std::string& utf8);
std::string Utf8(const std::u16string& utf16);

} // namespace sim::platform
