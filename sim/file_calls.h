#pragma once
// The file and path functions the module's log uses, as the simulated game
// answers them: the module file and the game's executable sit in kGameFolder,
// which is also the current directory; files there are written into
// Options::fileRoot. Only the forms the module needs are accepted, anything
// else is a fault.

#include <cstddef>
#include <cstdint>

namespace sim::platform {

std::uint32_t ModuleFileName(const void* module, char* buffer, std::uint32_t size);
std::uint32_t FullPathName(const char* name, std::uint32_t size, char* buffer);
std::uint32_t FileAttributes(const char* path);
// CreateFileA: GENERIC_WRITE with CREATE_ALWAYS empties the file,
// FILE_APPEND_DATA with OPEN_ALWAYS appends to it.
void* FileCreate(const char* path, std::uint32_t access, std::uint32_t share,
                 std::uint32_t disposition);
bool FileWrite(void* file, const void* bytes, std::uint32_t count, std::uint32_t* written);
bool FileClose(void* file);

// Files the module opened and has not closed.
std::size_t OpenFileCount();

} // namespace sim::platform
