#include "settings/shown_key_names.h"

#include "game/key_names.h"
#include "platform/platform.h"
#include "settings/texts.h"

namespace {

// The menu's rows, and a refusal with its holder, fit a name of ten
// letters, capitals too, in every language (tests/texts_test.cpp measures
// them with the names of a US, a German and a French keyboard): a longer
// name from Windows ("8 (ZEHNERTASTATUR)") gives way to the module's own.
// Windows cuts a name to the buffer, so one letter more than that tells a
// name too long.
constexpr int kMostLetters = 10;
constexpr int kWideNameSize = kMostLetters + 2;
static_assert(3 * kWideNameSize <= static_cast<int>(kShownKeyNameSize),
              "any name that fits the buffer fits kShownKeyNameSize in UTF-8");

static_assert(static_cast<int>(TextId::PadButtonY) - static_cast<int>(TextId::PadButtonDPadUp) ==
                  13,
              "a text for each of the fourteen buttons of kPadButtonNames, in its order");

// Keys that share their scan code with a keypad key, or with the left one,
// and that Windows tells apart by the extended bit (bit 24 of a key
// message's lParam): Page Up, Page Down, End, Home, the arrows, Insert,
// Delete, keypad /, Num Lock, right Ctrl and right Alt.
bool Extended(std::int32_t code) {
    return (code >= 0x21 && code <= 0x28) || code == 0x2D || code == 0x2E || code == 0x6F ||
           code == 0x90 || code == 0xA3 || code == 0xA5;
}

// The game draws UTF-8. Capitals through Windows, which knows that ö is Ö.
bool PutUtf8(WCHAR* wide, int length, bool capitals, char* out, std::size_t size) {
    if (capitals) {
        CharUpperBuffW(wide, static_cast<DWORD>(length));
    }
    return WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, static_cast<int>(size), nullptr,
                               nullptr) > 0;
}

// False when Windows has no name for the key, or none short enough.
bool LayoutName(std::int32_t code, bool capitals, char* out, std::size_t size) {
    // Shift, Ctrl and Alt as one key come back as the left one's scan code.
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC);
    if (scan == 0) {
        return false;
    }
    WCHAR wide[kWideNameSize];
    const auto key = static_cast<LONG>(scan << 16 | (Extended(code) ? 1u << 24 : 0u));
    const int length = GetKeyNameTextW(key, wide, kWideNameSize);
    return length > 0 && length <= kMostLetters && PutUtf8(wide, length, capitals, out, size);
}

void PadNames(std::uint32_t mask, bool capitals, char* out, std::size_t size) {
    std::size_t length = 0;
    const auto put = [&](const char* text) {
        while (*text != '\0' && length + 1 < size) {
            out[length++] = *text++;
        }
    };
    for (std::size_t k = 0; k < kPadButtonNameCount; ++k) {
        if ((mask & kPadButtonNames[k].mask) != 0) {
            put(length != 0 ? " + " : "");
            put(Text(static_cast<TextId>(static_cast<std::size_t>(TextId::PadButtonDPadUp) + k)));
        }
    }
    out[WholeUtf8Length(out, length)] = '\0';
    WCHAR wide[kShownKeyNameSize];
    const int count = capitals ? MultiByteToWideChar(CP_UTF8, 0, out, -1, wide,
                                                     static_cast<int>(kShownKeyNameSize))
                               : 0;
    if (count > 1) {
        PutUtf8(wide, count - 1, true, out, size);
    }
}

} // namespace

// On an event only: the start, the menu's opening, a key set.
[[gnu::cold]] void ShownNameOfSetting(std::int32_t value, bool pad, bool capitals, char* out,
                                      std::size_t size) {
    if (size == 0) {
        return;
    }
    if (pad) {
        PadNames(static_cast<std::uint32_t>(value), capitals, out, size);
    } else if (value == 0 || !LayoutName(value, capitals, out, size)) {
        NameOfSetting(value, false, out, size);
    }
}
