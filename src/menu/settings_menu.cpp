#include "menu/settings_menu.h"

#include "menu/menu_item.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/texts.h"

#include <iterator>
#include <string>

namespace {

struct RowContent {
    TextId label;
    TextId description;
    MenuItemKind kind;
    // The setting a Slider (a fraction) or a Toggle (a 0/1 switch) shows and
    // changes; the build binds it to the row, and the item action changes it
    // by the row's id. Null for the other kinds.
    float SettingsRecord::*slider;
    std::uint32_t SettingsRecord::*toggle;
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

// Every row names the setting its kind shows, and no other.
constexpr bool RowsBound() {
    for (const RowContent& row : kRows) {
        if ((row.slider != nullptr) != (row.kind == MenuItemKind::Slider) ||
            (row.toggle != nullptr) != (row.kind == MenuItemKind::Toggle)) {
            return false;
        }
    }
    return true;
}
static_assert(RowsBound(), "a Slider or Toggle row without its setting, or another row with one");

// The rows' labels and descriptions are checked against the buffers beside
// the table of texts, in every language.
static_assert(std::char_traits<char>::length(kProfile0Text) < kMenuValueTextSize &&
                  std::char_traits<char>::length(kProfile1Text) < kMenuValueTextSize,
              "a sound profile's text is longer than the value buffer");
static_assert(std::size(kRows) <= kMenuPageSlots);

constexpr float kStepUp = 0.025f;
constexpr float kStepDown = 0.02f;
constexpr float kUpperBound = 1.0f;
constexpr float kLowerBound = 0.02f;

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
    // the profile shown may have changed.
    if (rootPage.children[0] != nullptr) {
        for (std::size_t slot = 0; slot < std::size(kRows); ++slot) {
            if (MenuItem* row = RowAt(rootPage, static_cast<int>(slot))) {
                SetMenuText(row->label, Text(kRows[slot].label));
                SetMenuText(row->description, Text(kRows[slot].description));
            }
        }
        ShowSoundProfileFromFile();
        return;
    }
    std::int32_t id = 1;
    for (const RowContent& content : kRows) {
        MenuItem* row = AddMenuRow(rootPage, Text(content.label), id, content.kind, "",
                                   Text(content.description));
        if (row != nullptr) {
            // What the row draws: a slider's bar, a toggle's ON or OFF.
            row->floatValue = SliderField(id);
            row->intValue = ToggleField(id);
            if (id == kSoundRowId) {
                soundRow = row;
            }
        }
        ++id;
    }
    ShowSoundProfileFromFile();
}

// On a key of the menu, a few times a second at most: built for size.
[[gnu::cold]] void ApplyItemAction(std::int32_t id, char command) {
    if (float* field = SliderField(id)) {
        StepSlider(*field, command);
    } else if (std::uint32_t* flag = ToggleField(id)) {
        if (command == 'c') {
            *flag = *flag != 0 ? 0 : 1;
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
