#include "sim/app/scenario.h"

#include "sim/app/scenario_keys.h"
#include "sim/keyboard_layouts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace simapp {

namespace {

constexpr const char* kCommands = "a command (hold, release, tap, pad, enter, leave, throttle, "
                                  "brake, collide, wreck, restart, focus, pause, busy, hud, game, "
                                  "language, keyboard, screen, safe, picture, end)";
constexpr const char* kKeyExpected = "a key name (A-Z, 0-9, shift, ctrl, alt, space, enter, "
                                     "num0-num9, f1-f12, up, down, left, right or vkNN)";
constexpr std::uint32_t kDefaultTapMs = 50;

struct Failure {
    std::string expected;
    std::string found;
};

// The words of one line, read left to right; every reader either returns a
// value or throws what it expected and what it found.
class Words {
public:
    explicit Words(const std::string& text) {
        std::istringstream in(text);
        std::string word;
        while (in >> word) {
            words_.push_back(word);
        }
    }

    bool Empty() const { return next_ >= words_.size(); }
    const std::string* Peek() const { return Empty() ? nullptr : &words_[next_]; }

    std::string Take(const std::string& expected) {
        if (Empty()) {
            throw Failure{expected, "end of line"};
        }
        return words_[next_++];
    }

    double Number(const std::string& expected, double low, double high) {
        const std::string word = Take(expected);
        double value = 0.0;
        const char* end = word.data() + word.size();
        auto [ptr, ec] = std::from_chars(word.data(), end, value);
        if (ec != std::errc{} || ptr != end || !std::isfinite(value) || value < low ||
            value > high) {
            throw Failure{expected, "'" + word + "'"};
        }
        return value;
    }

    std::uint32_t Ms(const std::string& expected) {
        const double ms = Number(expected, 1.0, 600000.0);
        if (ms != std::floor(ms)) {
            throw Failure{expected, "'" + words_[next_ - 1] + "'"};
        }
        return static_cast<std::uint32_t>(ms);
    }

    int Whole(const std::string& expected, int low, int high) {
        const double value = Number(expected, low, high);
        if (value != std::floor(value)) {
            throw Failure{expected, "'" + words_[next_ - 1] + "'"};
        }
        return static_cast<int>(value);
    }

    void EndOfLine() {
        if (!Empty()) {
            throw Failure{"end of line", "'" + words_[next_] + "'"};
        }
    }

private:
    std::vector<std::string> words_;
    std::size_t next_ = 0;
};

int Key(Words& w) {
    const std::string word = w.Take(kKeyExpected);
    const std::optional<int> vk = KeyFromName(word);
    if (!vk) {
        throw Failure{kKeyExpected, "'" + word + "'"};
    }
    return *vk;
}

std::uint16_t Buttons(Words& w) {
    const char* expected = "gamepad buttons joined by '+' (dpad-up, dpad-down, dpad-left, "
                           "dpad-right, start, back, ls, rs, lb, rb, a, b, x, y)";
    const std::string word = w.Take(expected);
    const std::optional<std::uint16_t> mask = ButtonsFromNames(word);
    if (!mask) {
        throw Failure{expected, "'" + word + "'"};
    }
    return *mask;
}

void ParsePad(Words& w, ScenarioLine& s) {
    const char* padAction = "a pad action (connect, disconnect, press, hold, release, stick)";
    std::string word = w.Take("a pad number 0-3 or " + std::string(padAction));
    if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') {
        if (word[0] > '3') {
            throw Failure{"a pad number 0-3", "'" + word + "'"};
        }
        s.pad = word[0] - '0';
        word = w.Take(padAction);
    }
    if (word == "connect") {
        s.action = Action::PadConnect;
    } else if (word == "disconnect") {
        s.action = Action::PadDisconnect;
    } else if (word == "press") {
        s.action = Action::PadPress;
        s.buttons = Buttons(w);
        s.ms = w.Empty() ? kDefaultTapMs : w.Ms("a press length in ms (a whole number, 1 or more)");
    } else if (word == "hold") {
        s.action = Action::PadHold;
        s.buttons = Buttons(w);
    } else if (word == "release") {
        s.action = Action::PadRelease;
        s.buttons = w.Empty() ? 0 : Buttons(w);
    } else if (word == "stick") {
        s.action = Action::PadStick;
        s.value = static_cast<float>(w.Number("the stick's x from -1 to 1", -1.0, 1.0));
        s.value2 = static_cast<float>(w.Number("the stick's y from -1 to 1", -1.0, 1.0));
    } else {
        throw Failure{padAction, "'" + word + "'"};
    }
}

void ParseEnter(Words& w, ScenarioLine& s) {
    const char* expected = "a vehicle class (car, bike, plane, boat, helicopter)";
    const std::string word = w.Take(expected);
    const auto* named = std::find_if(std::begin(kVehicleClassNames), std::end(kVehicleClassNames),
                                     [&](const VehicleClassName& c) { return word == c.name; });
    if (named == std::end(kVehicleClassNames)) {
        throw Failure{expected, "'" + word + "'"};
    }
    s.vehicleClass = named->vehicleClass;
    if (!w.Empty()) {
        s.value = static_cast<float>(w.Number("a starting speed in km/h (0 to 500)", 0.0, 500.0));
    }
}

bool OnOff(Words& w) {
    const std::string word = w.Take("on or off");
    if (word != "on" && word != "off") {
        throw Failure{"on or off", "'" + word + "'"};
    }
    return word == "on";
}

void ParseBusy(Words& w, ScenarioLine& s) {
    const char* expected = "a busy state (switch, cutscene, faded, dead, arrested, nocontrol)";
    const std::string word = w.Take(expected);
    const auto* named = std::find_if(std::begin(kBusyStateNames), std::end(kBusyStateNames),
                                     [&](const BusyStateName& b) { return word == b.name; });
    if (named == std::end(kBusyStateNames)) {
        throw Failure{expected, "'" + word + "'"};
    }
    s.busy = static_cast<int>(named - std::begin(kBusyStateNames));
    s.on = OnOff(w);
}

void ParseAction(Words& w, ScenarioLine& s) {
    const std::string command = w.Take(kCommands);
    if (command == "hold" || command == "release") {
        s.action = command == "hold" ? Action::Hold : Action::Release;
        s.key = Key(w);
    } else if (command == "tap") {
        s.action = Action::Tap;
        s.key = Key(w);
        s.ms = w.Empty() ? kDefaultTapMs : w.Ms("a tap length in ms (a whole number, 1 or more)");
    } else if (command == "pad") {
        ParsePad(w, s);
    } else if (command == "enter") {
        s.action = Action::Enter;
        ParseEnter(w, s);
    } else if (command == "leave") {
        s.action = Action::Leave;
    } else if (command == "throttle") {
        s.action = Action::Throttle;
        s.value = static_cast<float>(w.Number("a throttle from 0 to 1", 0.0, 1.0));
    } else if (command == "brake") {
        s.action = Action::Brake;
        s.value = static_cast<float>(w.Number("a brake from 0 to 1", 0.0, 1.0));
    } else if (command == "collide") {
        s.action = Action::Collide;
        s.value = static_cast<float>(w.Number("the km/h lost (above 0, up to 500)", 0.001, 500.0));
    } else if (command == "wreck") {
        s.action = Action::Wreck;
    } else if (command == "restart") {
        s.action = Action::Restart;
    } else if (command == "focus") {
        s.action = Action::Focus;
        s.on = OnOff(w);
    } else if (command == "pause") {
        s.action = Action::Pause;
        s.on = OnOff(w);
    } else if (command == "busy") {
        s.action = Action::Busy;
        ParseBusy(w, s);
    } else if (command == "hud") {
        s.action = Action::Hud;
        if (const std::string word = w.Take("'hidden'"); word != "hidden") {
            throw Failure{"'hidden'", "'" + word + "'"};
        }
        s.on = OnOff(w);
    } else if (command == "game") {
        // The player's settings in the game's own pause menu.
        const std::string setting = w.Take("a game setting (sfx)");
        if (setting != "sfx") {
            throw Failure{"a game setting (sfx)", "'" + setting + "'"};
        }
        s.action = Action::GameSfx;
        s.level = w.Whole("a sound-effects level (a whole number, 0 to 10)", 0, 10);
    } else if (command == "language") {
        s.action = Action::Language;
        const char* expected =
            "a language number, 0 to 12 (up to 99 for one the module does not know)";
        const std::string word = w.Take(expected);
        const char* end = word.data() + word.size();
        auto [ptr, ec] = std::from_chars(word.data(), end, s.number);
        if (ec != std::errc{} || ptr != end || s.number < 0 || s.number > 99) {
            throw Failure{expected, "'" + word + "'"};
        }
    } else if (command == "keyboard") {
        s.action = Action::Keyboard;
        const char* expected = "a keyboard layout (en-US, de-DE or fr-FR)";
        if (const std::string tag = w.Take(expected); !sim::KeyboardOfTag(tag, s.keyboard)) {
            throw Failure{expected, "'" + tag + "'"};
        }
    } else if (command == "screen") {
        s.action = Action::Screen;
        const char* expected = "a screen's width and height in pixels, 5:4 to three 16:9 screens "
                               "(640x480 to 11520x4320)";
        s.width = w.Whole(expected, 1, 100000);
        s.height = w.Whole(expected, 1, 100000);
        if (!ScreenSizeAllowed(s.width, s.height)) {
            throw Failure{expected,
                          "'" + std::to_string(s.width) + " " + std::to_string(s.height) + "'"};
        }
    } else if (command == "safe") {
        if (const std::string word = w.Take("'zone'"); word != "zone") {
            throw Failure{"'zone'", "'" + word + "'"};
        }
        s.action = Action::SafeZone;
        s.value = static_cast<float>(w.Number("a safe zone from 0.5 to 1.0", 0.5, 1.0));
    } else if (command == "picture") {
        s.action = Action::Picture;
        const char* expected = "a picture name (letters, digits and '-')";
        s.name = w.Take(expected);
        for (char c : s.name) {
            const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (c >= '0' && c <= '9') || c == '-';
            if (!ok) {
                throw Failure{expected, "'" + s.name + "'"};
            }
        }
    } else if (command == "end") {
        s.action = Action::End;
    } else {
        throw Failure{kCommands, "'" + command + "'"};
    }
    w.EndOfLine();
}

double Time(Words& w, double previous) {
    const char* expected = "a time in seconds or +delay";
    const std::string word = w.Take(expected);
    const bool relative = word[0] == '+';
    const std::string number = relative ? word.substr(1) : word;
    double value = 0.0;
    const char* end = number.data() + number.size();
    auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (number.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value) || value < 0.0 ||
        value > 3600.0) {
        throw Failure{expected, "'" + word + "'"};
    }
    const double time = relative ? previous + value : value;
    if (time < previous) {
        std::ostringstream text;
        text << "a time not before the previous line's " << previous << " s";
        throw Failure{text.str(), "'" + word + "'"};
    }
    return time;
}

} // namespace

bool ScreenSizeAllowed(int width, int height) {
    // 5:4 is 1.25, three 16:9 screens 5.33: 4 w >= 5 h and 3 w <= 16 h.
    return width >= 640 && width <= 11520 && height >= 480 && height <= 4320 &&
           4 * width >= 5 * height && 3 * width <= 16 * height;
}

const char* VehicleClassWord(sim::VehicleClass vehicleClass) {
    for (const VehicleClassName& c : kVehicleClassNames) {
        if (c.vehicleClass == vehicleClass) {
            return c.name;
        }
    }
    return "car";
}

bool ParseScenario(const std::string& file, std::istream& in, Scenario& out, std::string& error) {
    out = Scenario{};
    out.file = file;
    std::string raw;
    double previous = 0.0;
    for (int number = 1; std::getline(in, raw); ++number) {
        std::string text = raw.substr(0, raw.find('#'));
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
            text.pop_back();
        }
        Words words(text);
        if (words.Empty()) {
            continue;
        }
        ScenarioLine line;
        line.line = number;
        try {
            line.time = Time(words, previous);
            ParseAction(words, line);
        } catch (const Failure& f) {
            error = file + ":" + std::to_string(number) + ": expected " + f.expected + ", found " +
                    f.found;
            return false;
        }
        // The line as the timeline shows it: its words, one blank apart.
        std::istringstream spaced(text);
        for (std::string word; spaced >> word;) {
            line.text += (line.text.empty() ? "" : " ") + word;
        }
        previous = line.time;
        out.lines.push_back(line);
    }
    return true;
}

bool LoadScenario(const std::string& path, Scenario& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    return ParseScenario(path, in, out, error);
}

} // namespace simapp
