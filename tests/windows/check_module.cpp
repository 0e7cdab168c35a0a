// veloxan-check-module: static checks of the built Veloxan.asi, as the
// Windows loader and a player's machine see the file.
//
//   veloxan-check-module <Veloxan.asi>
//
// The headers and the import table are read from the file's bytes; the
// resources and the version block through the Windows resource functions on
// the file mapped as data. Prints what it found; exit status 0 when every
// check held, 1 otherwise, 2 when the file cannot be read.

#include "version.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Expect(bool ok, const std::string& what) {
    std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) {
        ++failures;
    }
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

template <typename T>
bool ReadAt(const std::vector<unsigned char>& file, std::size_t at, T& out) {
    if (at > file.size() || file.size() - at < sizeof(T)) {
        return false;
    }
    std::memcpy(&out, file.data() + at, sizeof(T));
    return true;
}

// --- PE headers and imports, from the file ---------------------------------------

struct Image {
    IMAGE_FILE_HEADER fileHeader{};
    IMAGE_OPTIONAL_HEADER64 optional{};
    std::vector<IMAGE_SECTION_HEADER> sections;
};

std::size_t FileOffset(const Image& image, DWORD rva) {
    for (const IMAGE_SECTION_HEADER& s : image.sections) {
        const DWORD size = std::max(s.Misc.VirtualSize, s.SizeOfRawData);
        if (rva >= s.VirtualAddress && rva < s.VirtualAddress + size) {
            return rva - s.VirtualAddress + s.PointerToRawData;
        }
    }
    return static_cast<std::size_t>(-1);
}

std::string StringAt(const std::vector<unsigned char>& file, std::size_t at) {
    std::string text;
    while (at < file.size() && file[at] != 0) {
        text += static_cast<char>(file[at++]);
    }
    return text;
}

bool ReadHeaders(const std::vector<unsigned char>& file, Image& image) {
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    if (!ReadAt(file, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !ReadAt(file, static_cast<std::size_t>(dos.e_lfanew), signature) ||
        signature != IMAGE_NT_SIGNATURE) {
        return false;
    }
    const std::size_t headerAt = static_cast<std::size_t>(dos.e_lfanew) + 4;
    if (!ReadAt(file, headerAt, image.fileHeader)) {
        return false;
    }
    const std::size_t optionalAt = headerAt + sizeof(IMAGE_FILE_HEADER);
    WORD magic = 0;
    if (!ReadAt(file, optionalAt, magic) || magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC ||
        !ReadAt(file, optionalAt, image.optional)) {
        return false;
    }
    const std::size_t sectionsAt = optionalAt + image.fileHeader.SizeOfOptionalHeader;
    for (WORD k = 0; k < image.fileHeader.NumberOfSections; ++k) {
        IMAGE_SECTION_HEADER section{};
        if (!ReadAt(file, sectionsAt + k * sizeof(IMAGE_SECTION_HEADER), section)) {
            return false;
        }
        image.sections.push_back(section);
    }
    return true;
}

// DLL name as written -> functions imported from it by name.
std::map<std::string, std::vector<std::string>> Imports(const std::vector<unsigned char>& file,
                                                        const Image& image) {
    std::map<std::string, std::vector<std::string>> imports;
    const IMAGE_DATA_DIRECTORY& dir = image.optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::size_t at = FileOffset(image, dir.VirtualAddress);
    IMAGE_IMPORT_DESCRIPTOR descriptor{};
    for (; ReadAt(file, at, descriptor) && descriptor.Name != 0; at += sizeof descriptor) {
        std::vector<std::string>& functions =
            imports[StringAt(file, FileOffset(image, descriptor.Name))];
        const DWORD namesRva = descriptor.OriginalFirstThunk != 0 ? descriptor.OriginalFirstThunk
                                                                  : descriptor.FirstThunk;
        std::size_t thunkAt = FileOffset(image, namesRva);
        ULONGLONG thunk = 0;
        for (; ReadAt(file, thunkAt, thunk) && thunk != 0; thunkAt += sizeof thunk) {
            if ((thunk & IMAGE_ORDINAL_FLAG64) != 0) {
                std::string ordinal = std::to_string(thunk & 0xFFFF);
                ordinal.insert(ordinal.begin(), '#');
                functions.push_back(ordinal);
            } else {
                // IMAGE_IMPORT_BY_NAME: a 16-bit hint, then the name.
                functions.push_back(
                    StringAt(file, FileOffset(image, static_cast<DWORD>(thunk)) + 2));
            }
        }
    }
    return imports;
}

// The module's code measured 24,432 bytes once the C++ runtime's exception
// machinery was left out (the nothrow allocation functions of its own); a
// stray std::string, iostream or printf brings tens of KB back. The limit
// leaves room for new module code. Keys by name and the menu's disabled
// controls took it from 29,624 to 31,064 bytes; the game's pause and busy
// states and the sounds' resume to 32,568, with the rare paths of a boost's
// start and end and of the menu's keys built for size. 2.5.0's Keys page, the
// hands of the open menu, the sounds at the game's level, the hidden HUD and
// the texts in the game's language took it to 40,136 (measured with GCC 12
// from Debian); the texts themselves are read-only data, not code. 2.6.0's
// mends of the Keys page took it to 40,232, the keys named as the player's
// keyboard names them by 736 more, and the drawing placed for the player's
// screen (its answers made sane and logged, the placement worked out, every
// drawn x, y and width mapped) by 1,088 more: 42,168 bytes, the three merged.
constexpr DWORD kCodeSizeLimit = 42 * 1024;

void CheckCodeSize(const Image& image) {
    const auto text = std::find_if(
        image.sections.begin(), image.sections.end(), [](const IMAGE_SECTION_HEADER& s) {
            return std::memcmp(s.Name, ".text\0\0\0", IMAGE_SIZEOF_SHORT_NAME) == 0;
        });
    const DWORD size = text != image.sections.end() ? text->Misc.VirtualSize : 0;
    std::printf(".text: %lu bytes\n", static_cast<unsigned long>(size));
    Expect(size != 0 && size <= kCodeSizeLimit,
           ".text of " + std::to_string(size) + " bytes, at most " +
               std::to_string(kCodeSizeLimit) + ": no C++ runtime beyond what the module uses");
}

void CheckHeadersAndImports(const std::vector<unsigned char>& file) {
    Image image;
    const bool pe = ReadHeaders(file, image);
    Expect(pe, "a PE32+ image");
    if (!pe) {
        return;
    }
    Expect(image.fileHeader.Machine == IMAGE_FILE_MACHINE_AMD64, "machine x86-64");
    Expect((image.fileHeader.Characteristics & IMAGE_FILE_DLL) != 0, "a DLL");
    Expect(image.fileHeader.TimeDateStamp == 0, "no link timestamp in the header");
    CheckCodeSize(image);
    // The linker may leave an empty export directory; it must name nothing.
    const IMAGE_DATA_DIRECTORY& exports =
        image.optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    IMAGE_EXPORT_DIRECTORY exportDirectory{};
    const bool noExports =
        exports.Size == 0 ||
        (ReadAt(file, FileOffset(image, exports.VirtualAddress), exportDirectory) &&
         exportDirectory.NumberOfFunctions == 0 && exportDirectory.NumberOfNames == 0);
    Expect(noExports, "exports nothing: ScriptHookV finds the script through scriptRegister");

    const auto imports = Imports(file, image);
    std::printf("imports:\n");
    for (const auto& [dll, functions] : imports) {
        std::printf("  %s:", dll.c_str());
        for (const std::string& f : functions) {
            std::printf(" %s", f.c_str());
        }
        std::printf("\n");
    }

    // ScriptHookV.dll's functions under their decorated names, once each: the
    // five every script needs, the unregistration at unload and the game
    // version for the log.
    const std::multiset<std::string> scriptHook = {"?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z",
                                                   "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z",
                                                   "?scriptWait@@YAXK@Z",
                                                   "?nativeInit@@YAX_K@Z",
                                                   "?nativePush64@@YAX_K@Z",
                                                   "?nativeCall@@YAPEA_KXZ",
                                                   "?getGameVersion@@YA?AW4eGameVersion@@XZ"};
    const auto shv = imports.find("ScriptHookV.dll");
    Expect(shv != imports.end() &&
               std::multiset<std::string>(shv->second.begin(), shv->second.end()) == scriptHook,
           "ScriptHookV.dll: exactly the seven decorated functions");

    // What a player's machine has: Windows itself, XInput 9.1.0 and ScriptHookV.
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll",      "msvcrt.dll",
                                           "advapi32.dll", "ntdll.dll",       "ucrtbase.dll",
                                           "winmm.dll",    "xinput9_1_0.dll", "scripthookv.dll"};
    for (const auto& [dll, functions] : imports) {
        const std::string name = Lower(dll);
        const bool runtime = name.find("libstdc++") != std::string::npos ||
                             name.find("libgcc") != std::string::npos ||
                             name.find("winpthread") != std::string::npos;
        Expect(!runtime && (allowed.count(name) != 0 || name.rfind("api-ms-win-crt-", 0) == 0),
               "import from " + dll + " is a DLL every player has");
    }

    const auto from = [&imports](const std::string& dll, const std::string& function) {
        const auto it = imports.find(dll);
        return it != imports.end() &&
               std::find(it->second.begin(), it->second.end(), function) != it->second.end();
    };
    Expect(from("XINPUT9_1_0.dll", "XInputGetState"), "XInputGetState from XInput 9.1.0");
    Expect(from("WINMM.dll", "PlaySoundA"), "PlaySoundA from winmm");
    Expect(from("KERNEL32.dll", "GetPrivateProfileIntA") &&
               from("KERNEL32.dll", "GetPrivateProfileStringA") &&
               from("KERNEL32.dll", "WritePrivateProfileStringA"),
           "the INI file through the Windows profile functions");
    Expect(from("KERNEL32.dll", "GetTickCount") && from("USER32.dll", "GetAsyncKeyState") &&
               from("KERNEL32.dll", "GetModuleHandleExW"),
           "clock, keys and module lookup from Windows");
    Expect(from("USER32.dll", "GetForegroundWindow") &&
               from("USER32.dll", "GetWindowThreadProcessId") &&
               from("KERNEL32.dll", "GetCurrentProcessId"),
           "the foreground window's process from Windows");
    Expect(from("KERNEL32.dll", "CreateFileW") && from("KERNEL32.dll", "WriteFile") &&
               from("KERNEL32.dll", "CloseHandle") && from("KERNEL32.dll", "GetModuleFileNameW") &&
               from("KERNEL32.dll", "GetFullPathNameW") &&
               from("KERNEL32.dll", "WideCharToMultiByte"),
           "the log through the wide Windows file functions, its paths as UTF-8");
    Expect(!from("KERNEL32.dll", "CreateFileA") && !from("KERNEL32.dll", "GetModuleFileNameA") &&
               !from("KERNEL32.dll", "GetFullPathNameA"),
           "no path through the ANSI functions, which cannot name every folder");
}

// --- resources, through the loader ----------------------------------------------

struct WaveFormat {
    unsigned id;
    WORD tag;
    WORD channels;
    DWORD rate;
    WORD bits;
    DWORD dataBytes;
};

// The sounds as the game plays them: 106 and 108 cover spool-up and boost of
// profiles 0 and 1, 107 is the blow-off of both.
constexpr WaveFormat kWaves[] = {
    {106, WAVE_FORMAT_PCM, 2, 44100, 16, 2506752},
    {107, 3 /* IEEE float */, 2, 44100, 32, 368992},
    {108, WAVE_FORMAT_PCM, 2, 48000, 16, 1261524},
};

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    reinterpret_cast<std::set<unsigned>*>(ids)->insert(
        IS_INTRESOURCE(name) ? static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(name)) : 0u);
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::set<WORD>*>(languages)->insert(language);
    return TRUE;
}

void CheckWave(HMODULE module, const WaveFormat& want) {
    const std::string id = std::to_string(want.id);
    std::set<WORD> languages;
    EnumResourceLanguagesA(module, "WAVE", MAKEINTRESOURCEA(want.id), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    Expect(languages == std::set<WORD>{1033}, "WAVE " + id + " in language 1033 only");

    HRSRC info = FindResourceExA(module, "WAVE", MAKEINTRESOURCEA(want.id), 1033);
    const auto* bytes =
        info != nullptr
            ? static_cast<const unsigned char*>(LockResource(LoadResource(module, info)))
            : nullptr;
    const DWORD size = info != nullptr ? SizeofResource(module, info) : 0;
    if (bytes == nullptr) {
        Expect(false, "WAVE " + id + " can be loaded");
        return;
    }
    const std::vector<unsigned char> wave(bytes, bytes + size);
    DWORD riffSize = 0;
    Expect(size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 &&
               std::memcmp(bytes + 8, "WAVE", 4) == 0 && ReadAt(wave, 4, riffSize) &&
               riffSize + 8 == size,
           "WAVE " + id + " is a complete RIFF/WAVE file");

    // Walk the chunks: "fmt " of 18 bytes with no extension, then "data".
    bool formatOk = false;
    DWORD dataBytes = 0;
    for (std::size_t at = 12; at + 8 <= size;) {
        DWORD chunkSize = 0;
        ReadAt(wave, at + 4, chunkSize);
        if (std::memcmp(bytes + at, "fmt ", 4) == 0) {
            WAVEFORMATEX format{};
            formatOk = chunkSize == 18 && ReadAt(wave, at + 8, format) && format.cbSize == 0 &&
                       format.wFormatTag == want.tag && format.nChannels == want.channels &&
                       format.nSamplesPerSec == want.rate && format.wBitsPerSample == want.bits &&
                       format.nBlockAlign == want.channels * want.bits / 8 &&
                       format.nAvgBytesPerSec == want.rate * format.nBlockAlign;
        } else if (std::memcmp(bytes + at, "data", 4) == 0) {
            dataBytes = chunkSize;
        }
        at += 8 + chunkSize + (chunkSize & 1u);
    }
    char what[160];
    std::snprintf(what, sizeof what, "WAVE %u: format %u, %u channels, %lu Hz, %u bits, fmt of 18",
                  want.id, want.tag, want.channels, static_cast<unsigned long>(want.rate),
                  want.bits);
    Expect(formatOk, what);
    Expect(dataBytes == want.dataBytes, "WAVE " + id + ": " + std::to_string(dataBytes) +
                                            " data bytes, expected " +
                                            std::to_string(want.dataBytes));
}

std::string VersionString(const std::vector<unsigned char>& block, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || value == nullptr) {
        return "(missing)";
    }
    return static_cast<const char*>(value);
}

void CheckResources(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    Expect(module != nullptr, "the file maps as a resource image");
    if (module == nullptr) {
        return;
    }
    std::set<unsigned> ids;
    EnumResourceNamesA(module, "WAVE", CollectName, reinterpret_cast<LONG_PTR>(&ids));
    Expect(ids == std::set<unsigned>{106, 107, 108}, "WAVE resources 106, 107 and 108, no others");
    for (const WaveFormat& wave : kWaves) {
        CheckWave(module, wave);
    }
    FreeLibrary(module);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    const bool found = size != 0 && GetFileVersionInfoA(path.c_str(), 0, size, block.data());
    Expect(found, "a version resource");
    if (!found) {
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    const bool fixedOk =
        VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
        fixed != nullptr;
    const DWORD ms = (VELOXAN_VERSION_MAJOR << 16) | VELOXAN_VERSION_MINOR;
    const DWORD ls = VELOXAN_VERSION_PATCH << 16;
    Expect(fixedOk && fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == ls &&
               fixed->dwProductVersionMS == ms && fixed->dwProductVersionLS == ls,
           std::string("file and product version ") + VELOXAN_VERSION_TEXT + ".0");
    Expect(fixedOk && (fixed->dwFileType == VFT_DLL), "the version resource says DLL");
    const std::string fileVersion = VersionString(block, "FileVersion");
    const std::string productVersion = VersionString(block, "ProductVersion");
    const std::string original = VersionString(block, "OriginalFilename");
    Expect(fileVersion == VELOXAN_VERSION_TEXT && productVersion == VELOXAN_VERSION_TEXT,
           "version texts " + fileVersion + " / " + productVersion);
    Expect(original == "Veloxan.asi", "original file name " + original);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: veloxan-check-module <Veloxan.asi>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    if (file.empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    CheckHeadersAndImports(file);
    CheckResources(argv[1]);
    std::printf("%d failed check(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
