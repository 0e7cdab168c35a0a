#include "menu/settings_menu.h"

#include "game/game_state.h"
#include "menu/key_page.h"
#include "menu/menu_item.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/texts.h"
#include "turbo/turbo.h"
#include "turbo/turbo_sound.h"

#include <iterator>
#include <string>

namespace {

struct RowContent {
    TextId label = TextId::Count;
    TextId description = TextId::Count;
    MenuItemKind kind = MenuItemKind::Action;
    // The setting a Slider (a fraction) or a Toggle (a 0/1 switch) shows and
    // changes; the build binds it to the row, and the item action changes it
    // by the row's id. Null for the other kinds.
    float SettingsRecord::*slider = nullptr;
    std::uint32_t SettingsRecord::*toggle = nullptr;
    // A Slider on a whole percentage instead of a fraction: the sounds'
    // volume, whose bar shows volumeBar.
    std::int32_t SettingsRecord::*percent = nullptr;
};

// Slot order under the root page; each row's id is its slot plus one, and
// ApplyItemAction knows the rows by those ids alone (RowId below).
constexpr RowContent kRows[] = {
    {TextId::DurationLabel, TextId::DurationHelp, MenuItemKind::Slider, &SettingsRecord::duration,
     nullptr},
    {TextId::InitialBoostLabel, TextId::InitialBoostHelp, MenuItemKind::Slider,
     &SettingsRecord::boost, nullptr},
    {TextId::PowerLabel, TextId::PowerHelp, MenuItemKind::Slider, &SettingsRecord::power, nullptr},
    {TextId::SensitivityLabel, TextId::SensitivityHelp, MenuItemKind::Slider,
     &SettingsRecord::sensitivity, nullptr},
    {TextId::SlowMotionLabel, TextId::SlowMotionHelp, MenuItemKind::Slider, &SettingsRecord::slowmo,
     nullptr},
    {TextId::SoundLabel, TextId::SoundHelp, MenuItemKind::Selector, nullptr, nullptr},
    {TextId::ResetLabel, TextId::ResetHelp, MenuItemKind::Action, nullptr, nullptr},
    {TextId::VolumeLabel, TextId::VolumeHelp, MenuItemKind::Slider, nullptr, nullptr,
     &SettingsRecord::SFX_volume},
    {TextId::MessagesLabel, TextId::MessagesHelp, MenuItemKind::Toggle, nullptr,
     &SettingsRecord::display_notifications},
};

// The id of the row with this label; 0 (no row) when there is none.
constexpr std::int32_t RowId(TextId label) {
    for (std::size_t slot = 0; slot < std::size(kRows); ++slot) {
        if (label == kRows[slot].label) {
            return static_cast<std::int32_t>(slot + 1);
        }
    }
    return 0;
}

constexpr std::int32_t kSoundRowId = RowId(TextId::SoundLabel);
constexpr std::int32_t kResetRowId = RowId(TextId::ResetLabel);
static_assert(kSoundRowId != 0 && kResetRowId != 0, "a row the item action needs is missing");

// The blanks are part of the look: "SFX: " plus these puts three blanks
// before Orca and two after Lumen. The names and arrows are the same in
// every language.
constexpr const char* kProfile0Text = "  Orca >>";
constexpr const char* kProfile1Text = "<< Lumen  ";

// Every row names the setting its kind shows, and no other. One row at most
// is a percentage: its bar has one float to show.
constexpr bool RowsBound() {
    int percentRows = 0;
    for (const RowContent& row : kRows) {
        percentRows += row.percent != nullptr ? 1 : 0;
        if (((row.slider != nullptr) != (row.percent != nullptr)) !=
                (row.kind == MenuItemKind::Slider) ||
            (row.toggle != nullptr) != (row.kind == MenuItemKind::Toggle)) {
            return false;
        }
    }
    return percentRows <= 1;
}
static_assert(RowsBound(), "a Slider or Toggle row without its setting, or another row with one");

// The rows' labels and descriptions are checked against the buffers beside
// the table of texts, in every language.
static_assert(std::char_traits<char>::length(kProfile0Text) < kMenuValueTextSize &&
                  std::char_traits<char>::length(kProfile1Text) < kMenuValueTextSize,
              "a sound profile's text is longer than the value buffer");
// The Keys row follows the table's rows; it opens a page of its own.
static_assert(std::size(kRows) < kMenuPageSlots);

constexpr float kStepUp = 0.025f;
constexpr float kStepDown = 0.02f;
constexpr float kUpperBound = 1.0f;
constexpr float kLowerBound = 0.02f;

// The sounds' volume in whole percent.
constexpr std::int32_t kVolumeStep = 5;
constexpr std::int32_t kVolumeLowest = 5;
constexpr std::int32_t kVolumeHighest = 100;

// What the volume row's bar shows: SFX_volume as a fraction, set when the
// rows are built or rebuilt and at each step of the row.
float volumeBar = 1.0f;
// When the volume last stepped, on the module's clock.
std::uint32_t volumeStepTick = 0;

// The "SFX: " row; set by the first build, its valueText rewritten by the
// sound-profile action and by a rebuild after a script restart.
MenuItem* soundRow = nullptr;

const RowContent* ContentOf(std::int32_t id) {
    return id >= 1 && id <= static_cast<std::int32_t>(std::size(kRows)) ? &kRows[id - 1] : nullptr;
}

float* SliderField(std::int32_t id) {
    const RowContent* row = ContentOf(id);
    return row != nullptr && row->slider != nullptr ? &(Settings.*(row->slider)) : nullptr;
}

std::uint32_t* ToggleField(std::int32_t id) {
    const RowContent* row = ContentOf(id);
    return row != nullptr && row->toggle != nullptr ? &(Settings.*(row->toggle)) : nullptr;
}

std::int32_t* PercentField(std::int32_t id) {
    const RowContent* row = ContentOf(id);
    return row != nullptr && row->percent != nullptr ? &(Settings.*(row->percent)) : nullptr;
}

void ShowVolume() { volumeBar = static_cast<float>(Settings.SFX_volume) * 0.01f; }

// A step of the volume plays the blow-off at the new level, so the player
// hears what was chosen. Only that copy is scaled now; the others follow
// before they next play. In a spool-up or boost the preview would cut the
// boost's recording for good: that plays on at its level, and the new one
// is heard from the next sound. A held key steps a fraction's row on every frame,
// but the volume once per 200 ms, as the menu's other keys wait: a copy is
// never scaled on every frame. A value from the file outside the steps (3,
// 71) moves by 5 from where it is, and 3 goes up to 5 as a fraction's row
// would.
[[gnu::cold]] void StepVolume(std::int32_t& volume, char command) {
    if (ModuleTick() - volumeStepTick <= 200u) {
        return;
    }
    std::int32_t next = volume;
    if (command == 'r') {
        next = volume + kVolumeStep;
    } else if (command == 'l') {
        next = volume - kVolumeStep;
    }
    next = next > kVolumeHighest ? kVolumeHighest : next < kVolumeLowest ? kVolumeLowest : next;
    if (next == volume) {
        return;
    }
    volume = next;
    volumeStepTick = ModuleTick();
    ShowVolume();
    if (turboState == TurboState::SpoolUp || turboState == TurboState::Boosting) {
        return;
    }
    TurboSoundLevelChanged(kShutdownSound);
    PlayTurboSound(kShutdownSound);
}

void StepSlider(float& field, char command) {
    if (command == 'r') {
        const float raised = field + kStepUp;
        field = raised >= kUpperBound ? kUpperBound : raised;
    } else if (command == 'l') {
        const float lowered = field - kStepDown;
        field = lowered > kLowerBound ? lowered : kLowerBound;
    }
}

void ShowSoundProfile(bool profile1) {
    if (soundRow != nullptr) {
        SetMenuText(soundRow->valueText, profile1 ? kProfile1Text : kProfile0Text);
    }
}

void SwitchSoundProfile(char command) {
    if (command == 'r') {
        Settings.SFX_type = 1;
        ShowSoundProfile(true);
    } else if (command == 'l') {
        Settings.SFX_type = 0;
        ShowSoundProfile(false);
    }
}

// The row reads the file again rather than the record. A missing key falls
// back to the profile LoadSettings put in force, so the row never shows a
// profile other than the one that plays.
void ShowSoundProfileFromFile() {
    const UINT stored = GetPrivateProfileIntA(kIniSection, "SFX_type",
                                              static_cast<INT>(Settings.SFX_type), kIniFile);
    ShowSoundProfile(stored != 0);
}

} // namespace

// Once per start of the script: built for size.
[[gnu::cold]] void BuildSettingsMenu() {
    SetMenuText(rootPage.label, Text(TextId::MainMenu));
    // ScriptHookV runs the script entry again after a game reload; the rows
    // are still here then. They take the language picked at this start, and
    // the profile and the volume shown may have changed.
    ShowVolume();
    if (rootPage.children[0] != nullptr) {
        for (std::size_t slot = 0; slot < std::size(kRows); ++slot) {
            if (MenuItem* row = RowAt(rootPage, static_cast<int>(slot))) {
                SetMenuText(row->label, Text(kRows[slot].label));
                SetMenuText(row->description, Text(kRows[slot].description));
            }
        }
        ShowSoundProfileFromFile();
        ShowKeyRows();
        return;
    }
    std::int32_t id = 1;
    for (const RowContent& content : kRows) {
        MenuItem* row = AddMenuRow(rootPage, Text(content.label), id, content.kind, "",
                                   Text(content.description));
        if (row != nullptr) {
            // What the row draws: a slider's bar, a toggle's ON or OFF.
            row->floatValue = content.percent != nullptr ? &volumeBar : SliderField(id);
            row->intValue = ToggleField(id);
            if (id == kSoundRowId) {
                soundRow = row;
            }
        }
        ++id;
    }
    if (MenuItem* keys = AddMenuRow(rootPage, Text(TextId::KeysLabel), 0, MenuItemKind::Submenu, "",
                                    Text(TextId::KeysHelp))) {
        BuildKeyPage(*keys);
    }
    ShowSoundProfileFromFile();
}

// On a key of the menu, a few times a second at most: built for size.
[[gnu::cold]] void ApplyItemAction(std::int32_t id, char command) {
    if (float* field = SliderField(id)) {
        StepSlider(*field, command);
    } else if (std::int32_t* volume = PercentField(id)) {
        StepVolume(*volume, command);
    } else if (std::uint32_t* flag = ToggleField(id)) {
        if (command == 'c') {
            *flag = *flag != 0 ? 0 : 1;
        }
    } else if (id >= kKeyRowIdBase) {
        if (command == 'c') {
            StartKeyWait(id);
        }
    } else if (id == kSoundRowId) {
        SwitchSoundProfile(command);
    } else if (id == kResetRowId) {
        Settings.duration = kDefaultDuration;
        Settings.sensitivity = kDefaultSensitivity;
        Settings.power = kDefaultPower;
        Settings.boost = kDefaultBoost;
        Settings.slowmo = kDefaultSlowmo;
        SwitchSoundProfile('r');
    }
}
