#include "sim/keyboard_layouts.h"

#include "sim/file_calls.h"

#include <cstring>
#include <span>
#include <string>

namespace sim {

bool KeyboardOfTag(std::string_view tag, KeyboardLayout& layout) {
    for (std::size_t k = 0; k < std::size(kKeyboardTags); ++k) {
        if (tag == kKeyboardTags[k]) {
            layout = static_cast<KeyboardLayout>(k);
            return true;
        }
    }
    return false;
}

} // namespace sim

namespace sim::platform {

namespace {

constexpr std::uint32_t kVkToScanCode = 0; // MAPVK_VK_TO_VSC
constexpr std::uint32_t kCodePageUtf8 = 65001;
constexpr std::int32_t kExtendedBit = 1 << 24;

struct ScanName {
    std::uint8_t scan;
    const char* name; // UTF-8
};

// A key that types a character: its virtual-key code in the layout, and the
// name Windows gives it: the character itself, as the key types it without
// Shift, or a dead key's name spelled out. The letters' keys, A to Z by
// their codes, are named in capitals, as Windows documents.
struct CharKey {
    std::uint8_t scan;
    std::uint8_t vk;
    const char* name;
};

struct Layout {
    // The letters on the three rows, from scan codes 0x10, 0x1E and 0x2C.
    const char* rows[3];
    // The other keys that type something; the digit keys 0x02-0x0B are
    // '1'-'9', '0' and named so where not listed here.
    std::span<const CharKey> chars;
    // The keys named by the layout's tables, without and with the extended
    // bit.
    std::span<const ScanName> plain;
    std::span<const ScanName> extended;
};

constexpr std::uint8_t kRowStarts[3] = {0x10, 0x1E, 0x2C};

// Virtual-key codes of the punctuation keys.
constexpr std::uint8_t kOem1 = 0xBA, kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD,
                       kOemPeriod = 0xBE, kOem2 = 0xBF, kOem3 = 0xC0, kOem4 = 0xDB, kOem5 = 0xDC,
                       kOem6 = 0xDD, kOem7 = 0xDE, kOem8 = 0xDF, kOem102 = 0xE2;

// The scan codes of the keys that type nothing, the same in every layout.
struct KeyScan {
    std::uint8_t vk;
    std::uint8_t scan;
};
constexpr KeyScan kKeyScans[] = {
    {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38},
    {0x13, 0x45}, {0x14, 0x3A}, {0x1B, 0x01}, {0x20, 0x39}, {0x21, 0x49}, {0x22, 0x51},
    {0x23, 0x4F}, {0x24, 0x47}, {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50},
    {0x2C, 0x54}, {0x2D, 0x52}, {0x2E, 0x53}, {0x5B, 0x5B}, {0x5C, 0x5C}, {0x5D, 0x5D},
    {0x60, 0x52}, {0x61, 0x4F}, {0x62, 0x50}, {0x63, 0x51}, {0x64, 0x4B}, {0x65, 0x4C},
    {0x66, 0x4D}, {0x67, 0x47}, {0x68, 0x48}, {0x69, 0x49}, {0x6A, 0x37}, {0x6B, 0x4E},
    {0x6D, 0x4A}, {0x6E, 0x53}, {0x6F, 0x35}, {0x70, 0x3B}, {0x71, 0x3C}, {0x72, 0x3D},
    {0x73, 0x3E}, {0x74, 0x3F}, {0x75, 0x40}, {0x76, 0x41}, {0x77, 0x42}, {0x78, 0x43},
    {0x79, 0x44}, {0x7A, 0x57}, {0x7B, 0x58}, {0x7C, 0x64}, {0x7D, 0x65}, {0x7E, 0x66},
    {0x7F, 0x67}, {0x80, 0x68}, {0x81, 0x69}, {0x82, 0x6A}, {0x83, 0x6B}, {0x84, 0x6C},
    {0x85, 0x6D}, {0x86, 0x6E}, {0x87, 0x76}, {0x90, 0x45}, {0x91, 0x46}, {0xA0, 0x2A},
    {0xA1, 0x36}, {0xA2, 0x1D}, {0xA3, 0x1D}, {0xA4, 0x38}, {0xA5, 0x38},
};

// kbdus. It names F13-F24 at 0x7C-0x87, scan codes its own table gives no
// key (they send 0x64-0x6E and 0x76): their names are not found.
constexpr ScanName kUsPlain[] = {
    {0x01, "Esc"},     {0x0E, "Backspace"}, {0x0F, "Tab"},         {0x1C, "Enter"},
    {0x1D, "Ctrl"},    {0x2A, "Shift"},     {0x36, "Right Shift"}, {0x37, "Num *"},
    {0x38, "Alt"},     {0x39, "Space"},     {0x3A, "Caps Lock"},   {0x3B, "F1"},
    {0x3C, "F2"},      {0x3D, "F3"},        {0x3E, "F4"},          {0x3F, "F5"},
    {0x40, "F6"},      {0x41, "F7"},        {0x42, "F8"},          {0x43, "F9"},
    {0x44, "F10"},     {0x45, "Pause"},     {0x46, "Scroll Lock"}, {0x47, "Num 7"},
    {0x48, "Num 8"},   {0x49, "Num 9"},     {0x4A, "Num -"},       {0x4B, "Num 4"},
    {0x4C, "Num 5"},   {0x4D, "Num 6"},     {0x4E, "Num +"},       {0x4F, "Num 1"},
    {0x50, "Num 2"},   {0x51, "Num 3"},     {0x52, "Num 0"},       {0x53, "Num Del"},
    {0x54, "Sys Req"}, {0x57, "F11"},       {0x58, "F12"},         {0x7C, "F13"},
    {0x7D, "F14"},     {0x7E, "F15"},       {0x7F, "F16"},         {0x80, "F17"},
    {0x81, "F18"},     {0x82, "F19"},       {0x83, "F20"},         {0x84, "F21"},
    {0x85, "F22"},     {0x86, "F23"},       {0x87, "F24"},
};
constexpr ScanName kUsExtended[] = {
    {0x1C, "Num Enter"},   {0x1D, "Right Ctrl"},   {0x35, "Num /"},
    {0x37, "Prnt Scrn"},   {0x38, "Right Alt"},    {0x45, "Num Lock"},
    {0x46, "Break"},       {0x47, "Home"},         {0x48, "Up"},
    {0x49, "Page Up"},     {0x4B, "Left"},         {0x4D, "Right"},
    {0x4F, "End"},         {0x50, "Down"},         {0x51, "Page Down"},
    {0x52, "Insert"},      {0x53, "Delete"},       {0x54, "<00>"},
    {0x56, "Help"},        {0x5B, "Left Windows"}, {0x5C, "Right Windows"},
    {0x5D, "Application"},
};
constexpr CharKey kUsChars[] = {
    {0x0C, kOemMinus, "-"}, {0x0D, kOemPlus, "="},   {0x1A, kOem4, "["}, {0x1B, kOem6, "]"},
    {0x27, kOem1, ";"},     {0x28, kOem7, "'"},      {0x29, kOem3, "`"}, {0x2B, kOem5, "\\"},
    {0x33, kOemComma, ","}, {0x34, kOemPeriod, "."}, {0x35, kOem2, "/"}, {0x56, kOem102, "\\"},
};

// kbdgr. Windows names the keypad's * and / " (ZEHNERTASTATUR)", without the
// sign: the table has it so.
constexpr ScanName kDePlain[] = {
    {0x01, "ESC"},
    {0x0E, "RÜCK"},
    {0x0F, "TABULATOR"},
    {0x1C, "EINGABE"},
    {0x1D, "STRG"},
    {0x2A, "UMSCHALT"},
    {0x36, "UMSCHALT RECHTS"},
    {0x37, " (ZEHNERTASTATUR)"},
    {0x38, "ALT"},
    {0x39, "LEER"},
    {0x3A, "FESTSTELL"},
    {0x3B, "F1"},
    {0x3C, "F2"},
    {0x3D, "F3"},
    {0x3E, "F4"},
    {0x3F, "F5"},
    {0x40, "F6"},
    {0x41, "F7"},
    {0x42, "F8"},
    {0x43, "F9"},
    {0x44, "F10"},
    {0x45, "PAUSE"},
    {0x46, "ROLLEN-FESTSTELL"},
    {0x47, "7 (ZEHNERTASTATUR)"},
    {0x48, "8 (ZEHNERTASTATUR)"},
    {0x49, "9 (ZEHNERTASTATUR)"},
    {0x4A, "- (ZEHNERTASTATUR)"},
    {0x4B, "4 (ZEHNERTASTATUR)"},
    {0x4C, "5 (ZEHNERTASTATUR)"},
    {0x4D, "6 (ZEHNERTASTATUR)"},
    {0x4E, "+ (ZEHNERTASTATUR)"},
    {0x4F, "1 (ZEHNERTASTATUR)"},
    {0x50, "2 (ZEHNERTASTATUR)"},
    {0x51, "3 (ZEHNERTASTATUR)"},
    {0x52, "0 (ZEHNERTASTATUR)"},
    {0x53, "KOMMA (ZEHNERTASTATUR)"},
    {0x57, "F11"},
    {0x58, "F12"},
};
constexpr ScanName kDeExtended[] = {
    {0x1C, "EINGABE (ZEHNERTASTATUR)"},
    {0x1D, "STRG-RECHTS"},
    {0x35, " (ZEHNERTASTATUR)"},
    {0x37, "DRUCK"},
    {0x38, "ALT GR"},
    {0x45, "NUM-FESTSTELL"},
    {0x46, "UNTBR"},
    {0x47, "POS1"},
    {0x48, "NACH-OBEN"},
    {0x49, "BILD-NACH-OBEN"},
    {0x4B, "NACH-LINKS"},
    {0x4D, "NACH-RECHTS"},
    {0x4F, "ENDE"},
    {0x50, "NACH-UNTEN"},
    {0x51, "BILD-NACH-UNTEN"},
    {0x52, "EINFG"},
    {0x53, "ENTF"},
    {0x54, "<00>"},
    {0x56, "HILFE"},
    {0x5B, "LINKE WINDOWS"},
    {0x5C, "RECHTE WINDOWS"},
    {0x5D, "ANWENDUNG"},
};
constexpr CharKey kDeChars[] = {
    {0x0C, kOem4, "ß"},          {0x0D, kOem6, "AKUT"},  {0x1A, kOem1, "ü"},
    {0x1B, kOemPlus, "+"},       {0x27, kOem3, "ö"},     {0x28, kOem7, "ä"},
    {0x29, kOem5, "ZIRKUMFLEX"}, {0x2B, kOem2, "#"},     {0x33, kOemComma, ","},
    {0x34, kOemPeriod, "."},     {0x35, kOemMinus, "-"}, {0x56, kOem102, "<"},
};

// kbdfr: AZERTY, its digits typed with Shift.
constexpr ScanName kFrPlain[] = {
    {0x01, "ECHAP"},
    {0x0E, "RET.ARR"},
    {0x0F, "TAB"},
    {0x1C, "ENTREE"},
    {0x1D, "CTRL"},
    {0x2A, "MAJ"},
    {0x36, "MAJ DROITE"},
    {0x37, "* (PAVE NUM.)"},
    {0x38, "ALT"},
    {0x39, "ESPACE"},
    {0x3A, "VERR.MAJ"},
    {0x3B, "F1"},
    {0x3C, "F2"},
    {0x3D, "F3"},
    {0x3E, "F4"},
    {0x3F, "F5"},
    {0x40, "F6"},
    {0x41, "F7"},
    {0x42, "F8"},
    {0x43, "F9"},
    {0x44, "F10"},
    {0x45, "Pause"},
    {0x46, "DEFIL"},
    {0x47, "7 (PAVE NUM.)"},
    {0x48, "8 (PAVE NUM.)"},
    {0x49, "9 (PAVE NUM.)"},
    {0x4A, "- (PAVE NUM.)"},
    {0x4B, "4 (PAVE NUM.)"},
    {0x4C, "5 (PAVE NUM.)"},
    {0x4D, "6 (PAVE NUM.)"},
    {0x4E, "+ (PAVE NUM.)"},
    {0x4F, "1 (PAVE NUM.)"},
    {0x50, "2 (PAVE NUM.)"},
    {0x51, "3 (PAVE NUM.)"},
    {0x52, "0 (PAVE NUM.)"},
    {0x53, ". (PAVE NUM.)"},
    {0x57, "F11"},
    {0x58, "F12"},
};
constexpr ScanName kFrExtended[] = {
    {0x1C, "ENTREE (PAVE NUM.)"},
    {0x1D, "CTRL DROITE"},
    {0x35, "/ (PAVE NUM.)"},
    {0x37, "Impr.Ecran"},
    {0x38, "ALT DROITE"},
    {0x45, "Ver.Num"},
    {0x46, "ATTN"},
    {0x47, "ORIGINE"},
    {0x48, "HAUT"},
    {0x49, "PG.PREC"},
    {0x4B, "GAUCHE"},
    {0x4D, "DROITE"},
    {0x4F, "FIN"},
    {0x50, "BAS"},
    {0x51, "PG.SUIV"},
    {0x52, "INS"},
    {0x53, "SUPPR"},
    {0x54, "<00>"},
    {0x56, "AIDE"},
    {0x5B, "WINDOWS GAUCHE"},
    {0x5C, "WINDOWS DROITE"},
    {0x5D, "APPLICATION"},
};
constexpr CharKey kFrChars[] = {
    {0x02, '1', "&"},
    {0x03, '2', "é"},
    {0x04, '3', "\""},
    {0x05, '4', "'"},
    {0x06, '5', "("},
    {0x07, '6', "-"},
    {0x08, '7', "è"},
    {0x09, '8', "_"},
    {0x0A, '9', "ç"},
    {0x0B, '0', "à"},
    {0x0C, kOem4, ")"},
    {0x0D, kOemPlus, "="},
    {0x1A, kOem6, "ACCENT CIRCONFLEXE"},
    {0x1B, kOem1, "$"},
    {0x27, 'M', "M"},
    {0x28, kOem3, "ù"},
    {0x29, kOem7, "²"},
    {0x2B, kOem5, "*"},
    {0x32, kOemComma, ","},
    {0x33, kOemPeriod, ";"},
    {0x34, kOem2, ":"},
    {0x35, kOem8, "!"},
    {0x56, kOem102, "<"},
};

constexpr Layout kLayouts[] = {
    {{"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"}, kUsChars, kUsPlain, kUsExtended},
    {{"QWERTZUIOP", "ASDFGHJKL", "YXCVBNM"}, kDeChars, kDePlain, kDeExtended},
    {{"AZERTYUIOP", "QSDFGHJKL", "WXCVBN"}, kFrChars, kFrPlain, kFrExtended},
};

const Layout& Current() { return kLayouts[static_cast<std::size_t>(game().input.keyboard)]; }

// The key that types something at `scan`, or its virtual-key code.
bool CharKeyAt(const Layout& layout, std::uint32_t scan, std::uint32_t& vk, std::string& name) {
    for (const CharKey& key : layout.chars) {
        if (key.scan == scan) {
            vk = key.vk;
            name = key.name;
            return true;
        }
    }
    if (scan >= 0x02 && scan <= 0x0B) {
        vk = scan == 0x0B ? '0' : '1' + (scan - 0x02);
        name = std::string(1, static_cast<char>(vk));
        return true;
    }
    for (std::size_t row = 0; row < 3; ++row) {
        const std::size_t at = scan - kRowStarts[row];
        if (scan >= kRowStarts[row] && at < std::strlen(layout.rows[row])) {
            vk = static_cast<unsigned char>(layout.rows[row][at]);
            name = std::string(1, layout.rows[row][at]);
            return true;
        }
    }
    return false;
}

} // namespace

std::uint32_t ScanCodeOfKey(std::uint32_t code, std::uint32_t mapType) {
    Record(PlatformCall("MapVirtualKeyW", {IntValue(code), IntValue(mapType)}));
    if (mapType != kVkToScanCode) {
        Fault("MapVirtualKeyW: only MAPVK_VK_TO_VSC is expected");
        return 0;
    }
    for (const KeyScan& key : kKeyScans) {
        if (key.vk == code) {
            return key.scan;
        }
    }
    const Layout& layout = Current();
    for (std::uint32_t scan = 0x02; scan <= 0x56; ++scan) {
        std::uint32_t vk = 0;
        std::string name;
        if (CharKeyAt(layout, scan, vk, name) && vk == code) {
            return scan;
        }
    }
    return 0;
}

int KeyNameText(std::int32_t key, char16_t* buffer, int size) {
    Record(PlatformCall("GetKeyNameTextW", {IntValue(key), IntValue(size)}));
    if (buffer == nullptr || size <= 0) {
        Fault("GetKeyNameTextW without a buffer");
        return 0;
    }
    const Layout& layout = Current();
    const std::uint32_t scan = (static_cast<std::uint32_t>(key) >> 16) & 0xFF;
    const bool extended = (key & kExtendedBit) != 0;
    std::string name;
    for (const ScanName& named : extended ? layout.extended : layout.plain) {
        if (named.scan == scan) {
            name = named.name;
        }
    }
    std::uint32_t vk = 0;
    if (name.empty() && !extended) {
        CharKeyAt(layout, scan, vk, name);
    }
    const std::u16string wide = Utf16(name);
    const std::size_t length = wide.size() < static_cast<std::size_t>(size)
                                   ? wide.size()
                                   : static_cast<std::size_t>(size) - 1;
    std::memcpy(buffer, wide.data(), length * sizeof(char16_t));
    buffer[length] = u'\0';
    return static_cast<int>(length);
}

std::uint32_t UpperCase(char16_t* text, std::uint32_t length) {
    Record(PlatformCall("CharUpperBuffW", {IntValue(length)}));
    for (std::uint32_t k = 0; k < length; ++k) {
        char16_t& c = text[k];
        const bool oddLower = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
        const bool evenLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
            (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
            c = static_cast<char16_t>(c - 0x20);
        } else if (c >= 0x450 && c <= 0x45F) {
            c = static_cast<char16_t>(c - 0x50);
        } else if ((oddLower && c % 2 == 1) || (evenLower && c % 2 == 0)) {
            c = static_cast<char16_t>(c - 1);
        } else if (c == 0xFF) {
            c = 0x178;
        }
    }
    return length;
}

int Utf8ToWide(std::uint32_t codePage, std::uint32_t flags, const char* text, int count,
               char16_t* out, int outSize) {
    Record(PlatformCall("MultiByteToWideChar", {IntValue(codePage), IntValue(count)}));
    if (codePage != kCodePageUtf8 || flags != 0 || text == nullptr || count != -1 ||
        out == nullptr) {
        Fault("MultiByteToWideChar: only a whole UTF-8 text, without flags, is expected");
        return 0;
    }
    const std::u16string wide = Utf16(text);
    if (wide.size() + 1 > static_cast<std::size_t>(outSize)) {
        return 0;
    }
    std::memcpy(out, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    return static_cast<int>(wide.size() + 1);
}

} // namespace sim::platform
