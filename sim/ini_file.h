#pragma once
// The simulated game's INI files: the profile format the module relies on,
// implemented on plain files so that the host build reads and writes the same
// text the Windows profile functions would.

#include <cstdint>
#include <string>
#include <string_view>

namespace sim::ini {

// GetPrivateProfileIntA: the value of `key` in `section` of the file at
// `path`, read from its leading digits; `fallback` when the file, section or
// key is missing or the value is empty.
std::uint32_t ReadInt(const std::string& path, std::string_view section, std::string_view key,
                      std::int32_t fallback);

// GetPrivateProfileStringA: the value of `key` as text, without the blanks
// around it or a pair of quotes; `fallback` when the file, section or key is
// missing.
std::string ReadString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view fallback);

// WritePrivateProfileStringA with a non-null key and value: replaces the value
// in place, appends a missing key at the end of its section, creates the
// section and the file when missing, and keeps every other line as it was.
// False when the file cannot be written.
bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value);

} // namespace sim::ini
