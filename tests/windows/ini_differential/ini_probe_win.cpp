// Runs the INI cases through the real profile functions. Run it with an empty
// current directory: the files are named ".\\<case>.ini", as the module names
// its own.

#include "ini_cases.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

int main() {
    // The comparison is byte for byte; text-mode stdout would add CRs.
    _setmode(_fileno(stdout), _O_BINARY);
    ini_diff::RunCases(
        std::cout,
        [](const std::string& name) {
            std::string path = ".\\";
            for (const char c : name) {
                path += c == '/' ? '\\' : c;
            }
            return path;
        },
        [](const std::string& section, const std::string& key, std::int32_t fallback,
           const std::string& path) -> std::uint32_t {
            return GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, path.c_str());
        },
        [](const std::string& section, const std::string& key, const std::string& path) {
            char text[64] = {};
            GetPrivateProfileStringA(section.c_str(), key.c_str(), "", text, sizeof text,
                                     path.c_str());
            return std::string(text);
        },
        [](const std::string& section, const std::string& key, const std::string& value,
           const std::string& path) {
            return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                              path.c_str()) != FALSE;
        });
    return 0;
}
