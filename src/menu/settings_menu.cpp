#include "menu/settings_menu.h"

#include "menu/menu_item.h"
#include "platform/platform.h"
#include "settings/settings.h"

#include <iterator>
#include <string_view>

namespace {

struct RowContent {
    const char* label;
    MenuItemKind kind;
    const char* description;
};

// Slot order under the root page; each row's id is its slot plus one, and
// ApplyItemAction knows the rows by those ids alone.
constexpr RowContent kRows[] = {
    {"Duration", MenuItemKind::Slider, "Turbo Duration 1-10 seconds."},
    {"Initial Boost", MenuItemKind::Slider, "Amount of speed given by the activation."},
    {"Power", MenuItemKind::Slider, "Acceleration rate multiplier."},
    {"Sensitivity", MenuItemKind::Slider, "Strong collision will stop the turbo."},
    {"Slow Motion Collision", MenuItemKind::Slider, "Trigger BULLET TIME when hitting an object."},
    {"SFX: ", MenuItemKind::Selector, "Change the sound."},
    {"Reset settings", MenuItemKind::Action, "Reset settings back to default."},
};

constexpr std::int32_t kSoundRowId = 6;
constexpr std::int32_t kResetRowId = 7;

// The blanks are part of the look: "SFX: " plus these puts three blanks
// before Orca and two after Lumen.
constexpr const char* kProfile0Text = "  Orca >>";
constexpr const char* kProfile1Text = "<< Lumen  ";

constexpr bool FitsRowBuffers() {
    for (const RowContent& row : kRows) {
        if (std::char_traits<char>::length(row.label) >= kMenuLabelSize ||
            std::char_traits<char>::length(row.description) >= kMenuDescriptionSize) {
            return false;
        }
    }
    return std::char_traits<char>::length(kProfile0Text) < kMenuValueTextSize &&
           std::char_traits<char>::length(kProfile1Text) < kMenuValueTextSize;
}
static_assert(FitsRowBuffers(), "a settings row text is longer than the row buffers");
static_assert(std::size(kRows) <= kMenuPageSlots);

constexpr float kStepUp = 0.025f;
constexpr float kStepDown = 0.02f;
constexpr float kUpperBound = 1.0f;
constexpr float kLowerBound = 0.02f;

// The "SFX: " row; set by the first build, its valueText rewritten by the
// sound-profile action and by a rebuild after a script restart.
MenuItem* soundRow = nullptr;

float* SliderField(std::int32_t id) {
    switch (id) {
    case 1:
        return &Settings.duration;
    case 2:
        return &Settings.boost;
    case 3:
        return &Settings.power;
    case 4:
        return &Settings.sensitivity;
    case 5:
        return &Settings.slowmo;
    default:
        return nullptr;
    }
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

void BuildSettingsMenu() {
    // ScriptHookV runs the script entry again after a game reload; the rows
    // are still here then, and only the profile shown may have changed.
    if (rootPage.children[0] != nullptr) {
        ShowSoundProfileFromFile();
        return;
    }
    std::int32_t id = 1;
    for (const RowContent& content : kRows) {
        MenuItem* row =
            AddMenuRow(rootPage, content.label, id, content.kind, "", content.description);
        if (row != nullptr) {
            if (content.kind == MenuItemKind::Slider) {
                row->floatValue = SliderField(id);
            }
            if (id == kSoundRowId) {
                soundRow = row;
            }
        }
        ++id;
    }
    ShowSoundProfileFromFile();
}

void ApplyItemAction(std::int32_t id, char command) {
    if (float* field = SliderField(id)) {
        StepSlider(*field, command);
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
