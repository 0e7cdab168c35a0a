#include "settings/texts.h"

#include "game/log.h"
#include "game/natives.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/shown_key_names.h"
#include "version.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace {

// A key's name (the module's own run to 13 bytes, Windows' to ten letters)
// and a holder's text, as KeyTaken names them in a row's value text.
constexpr std::size_t kKeyNameRoom = 16;
constexpr std::size_t kHolderRoom = 32;
// A pad button's text, as a key row shows it.
constexpr std::size_t kButtonNameRoom = kShownKeyNameSize;

// The room of the menu's buffer a text is copied to; 0 for a text the menu
// does not copy.
constexpr std::size_t RoomOf(TextId id) {
    switch (id) {
    case TextId::Activated:
    case TextId::Recharging:
    case TextId::Totaled:
    case TextId::Online:
    case TextId::DeactivatedByTime:
    case TextId::ShutDown:
    case TextId::NoticePressToEnter:
    case TextId::NoticeNoMenuKey:
    case TextId::NoticeRemove:
    case TextId::NoticeHelp:
    case TextId::NoticeThanks:
    case TextId::Count:
        return 0;
    case TextId::On:
    case TextId::Off:
        return kToggleRoom;
    case TextId::DurationHelp:
    case TextId::InitialBoostHelp:
    case TextId::PowerHelp:
    case TextId::SensitivityHelp:
    case TextId::SlowMotionHelp:
    case TextId::SoundHelp:
    case TextId::ResetHelp:
    case TextId::VolumeHelp:
    case TextId::MessagesHelp:
    case TextId::KeysHelp:
    case TextId::KeyBoostHelp:
    case TextId::KeyBoost2Help:
    case TextId::KeyMenuHelp:
    case TextId::KeyMenuMoveHelp:
    case TextId::PadHelp:
    case TextId::PadBoostHelp:
    case TextId::PadBoost2Help:
    case TextId::PadMenuHelp:
    case TextId::KeyWaitHelp:
        return kDescriptionRoom;
    case TextId::KeyNone:
    case TextId::KeyWaitKey:
    case TextId::KeyWaitButton:
    case TextId::KeyNotSaved:
        return kValueRoom;
    // A refusal takes the row's label for its three seconds.
    case TextId::KeyStartRefused:
    case TextId::KeyWayIn:
    case TextId::KeyPcWayIn:
    case TextId::KeyWindows:
        return kLabelRoom;
    case TextId::KeyTaken:
    case TextId::KeyMenuButton:
        return kValueRoom - kKeyNameRoom - kHolderRoom;
    case TextId::HolderBoost:
    case TextId::HolderBoost2:
    case TextId::HolderMenu:
    case TextId::HolderMenuUp:
    case TextId::HolderMenuDown:
    case TextId::HolderMenuLeft:
    case TextId::HolderMenuRight:
    case TextId::HolderMenuSelect:
    case TextId::HolderMenuBack:
    case TextId::HolderPadBoost:
    case TextId::HolderPadBoost2:
    case TextId::HolderPadMenu:
        return kHolderRoom;
    case TextId::PadButtonDPadUp:
    case TextId::PadButtonDPadDown:
    case TextId::PadButtonDPadLeft:
    case TextId::PadButtonDPadRight:
    case TextId::PadButtonStart:
    case TextId::PadButtonBack:
    case TextId::PadButtonLS:
    case TextId::PadButtonRS:
    case TextId::PadButtonLB:
    case TextId::PadButtonRB:
    case TextId::PadButtonA:
    case TextId::PadButtonB:
    case TextId::PadButtonX:
    case TextId::PadButtonY:
        return kButtonNameRoom;
    default: // the credit, MainMenu and the rows' labels
        return kLabelRoom;
    }
}

// The texts are the PO files of settings/texts/: English in texts.pot, as
// the module has always said it, the others as the game says it in that
// language, short enough for where each is drawn (tests/texts_test.cpp
// measures them). scripts/make_texts_table.py turns them into kEnUs,
// kFrFr... at each build: one array of bytes a language, each text ended by
// its own NUL in TextId order, in read-only data with no pointer to relocate
// but kLanguageTexts'. Its static_asserts hold the template to TextId's
// order and to RoomOf above.
#include "texts_table.inc"

using Offsets = std::array<std::uint16_t, kTextCount>;

// Where each text starts. A language with a text too many or too few does
// not build: the count is not a constant then.
constexpr Offsets OffsetsOf(const char* texts, std::size_t size) {
    Offsets offsets{};
    std::size_t next = 0;
    std::size_t start = 0;
    for (std::size_t at = 0; at + 1 < size; ++at) {
        if (texts[at] == '\0') {
            offsets.at(next++) = static_cast<std::uint16_t>(start);
            start = at + 1;
        }
    }
    return next == kTextCount ? offsets : Offsets{offsets.at(kTextCount)};
}

constexpr std::array<Offsets, kLanguageCount> AllOffsets() {
    std::array<Offsets, kLanguageCount> all{};
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        all[language] = OffsetsOf(kLanguageTexts[language], kLanguageSizes[language]);
    }
    return all;
}

constexpr std::array<Offsets, kLanguageCount> kOffsets = AllOffsets();

constexpr bool FitsTheirRooms() {
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        for (std::size_t index = 0; index < kTextCount; ++index) {
            const char* text = kLanguageTexts[language] + kOffsets[language][index];
            std::size_t length = 0;
            while (text[length] != '\0') {
                ++length;
            }
            const std::size_t room = RoomOf(static_cast<TextId>(index));
            if (room != 0 && length >= room) {
                return false;
            }
        }
    }
    return true;
}
static_assert(FitsTheirRooms(), "a text is longer than the menu's buffer it is copied to");

// Written once per start by PickLanguage; read by every Text().
std::size_t pickedLanguage = 0;
const char* pickedTexts = kLanguageTexts[0];
const std::uint16_t* pickedOffsets = kOffsets[0].data();
const char* pickedSource = "the game's";

void Pick(std::size_t language, const char* source) {
    pickedLanguage = language;
    pickedTexts = kLanguageTexts[language];
    pickedOffsets = kOffsets[language].data();
    pickedSource = source;
}

bool SameLetters(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (lower(*a) != lower(*b)) {
            return false;
        }
    }
    return *a == *b;
}

} // namespace

[[gnu::cold]] const char* TextIn(std::size_t language, TextId id) {
    const auto index = static_cast<std::size_t>(id);
    return language < kLanguageCount && index < kTextCount
               ? kLanguageTexts[language] + kOffsets[language][index]
               : "";
}

const char* Text(TextId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < kTextCount ? pickedTexts + pickedOffsets[index] : "";
}

[[gnu::cold]] int LanguageOfTag(const char* tag) {
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        if (SameLetters(tag, kLanguageTags[language])) {
            return static_cast<int>(language);
        }
    }
    return -1;
}

[[gnu::cold]] void PickLanguage() {
    // The profile functions give the text without the blanks around it.
    char setting[32] = {};
    GetPrivateProfileStringA(kIniSection, "LANGUAGE", "", setting, sizeof setting, kIniFile);
    const int named = LanguageOfTag(setting);
    if (named >= 0) {
        Pick(static_cast<std::size_t>(named), "LANGUAGE in Veloxan.ini");
        return;
    }
    if (setting[0] != '\0' && !SameLetters(setting, "auto") && !SameLetters(setting, "0")) {
        LogBegin("repaired LANGUAGE: read \"");
        LogText(setting);
        LogText("\", not a language tag: the game's language used");
        LogEnd();
    }
    const std::int32_t answer = native::GET_CURRENT_LANGUAGE();
    if (answer >= 0 && static_cast<std::size_t>(answer) < kGameLanguageCount) {
        Pick(static_cast<std::size_t>(answer), "the game's");
        return;
    }
    LogBegin("the game's language is ");
    LogNumber(answer);
    LogText(", not one of 0-12: English used");
    LogEnd();
    Pick(0, "English, for the game's unknown language");
}

const char* PickedLanguageTag() { return kLanguageTags[pickedLanguage]; }

const char* PickedLanguageSource() { return pickedSource; }

[[gnu::cold]] void FormatText(char* out, std::size_t size, const char* pattern, const char* first,
                              const char* second) {
    if (size == 0) {
        return;
    }
    std::size_t length = 0;
    const auto put = [&](char c) {
        if (length + 1 < size) {
            out[length++] = c;
        }
    };
    for (const char* at = pattern; *at != '\0'; ++at) {
        if (at[0] == '%' && (at[1] == '1' || at[1] == '2')) {
            for (const char* part = at[1] == '1' ? first : second; *part != '\0'; ++part) {
                put(*part);
            }
            ++at;
        } else {
            put(*at);
        }
    }
    out[WholeUtf8Length(out, length)] = '\0';
}

std::size_t WholeUtf8Length(const char* text, std::size_t length) {
    // Back to the last lead byte, then keep its letter only if it is whole.
    std::size_t lead = length;
    while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead == 0) {
        return 0;
    }
    const auto first = static_cast<unsigned char>(text[lead - 1]);
    const std::size_t letter = first < 0x80 ? 1 : first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
    return lead - 1 + letter <= length ? length : lead - 1;
}
