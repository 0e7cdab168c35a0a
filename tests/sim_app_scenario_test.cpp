// The scenario parser: one table of good lines with what they mean and bad
// lines with the exact message a user sees.

#include "sim/app/scenario.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using simapp::Action;

struct Case {
    // A bad line and its message, or a good line and what it means.
    Case(const char* line, const char* message) : text(line), error(message) {}
    Case(const char* line, const char*, Action a, double t, int k)
        : text(line), action(a), time(t), key(k) {}

    const char* text; // the fourth line, after "1 leave", a blank and a comment
    const char* error = "";
    Action action = Action::End;
    double time = 0.0;
    int key = 0;
};

TEST(ScenarioParser, GoodAndBadLines) {
    const Case cases[] = {
        {"2 tap T", "", Action::Tap, 2.0, 'T'},
        {"+0.5 hold shift   # comment", "", Action::Hold, 1.5, 0x10},
        {"+0 release num8", "", Action::Release, 1.0, 0x68},
        {"3 tap f5 200", "", Action::Tap, 3.0, 0x74},
        {"3 tap vk107", "", Action::Tap, 3.0, 107},
        {"3 pad 2 press a+dpad-down 100", "", Action::PadPress, 3.0, 0},
        {"3 enter helicopter 50", "", Action::Enter, 3.0, 0},
        {"3 throttle 0.5", "", Action::Throttle, 3.0, 0},
        {"3 brake 1", "", Action::Brake, 3.0, 0},
        {"3 focus off", "", Action::Focus, 3.0, 0},
        {"3 pause on", "", Action::Pause, 3.0, 0},
        {"3 busy cutscene off", "", Action::Busy, 3.0, 0},
        {"3 hud hidden on", "", Action::Hud, 3.0, 0},
        {"3 game sfx 0", "", Action::GameSfx, 3.0, 0},
        {"3 language 10", "", Action::Language, 3.0, 0},
        {"2 language 2.5", "t.txt:2: expected a language number, 0 to 12 (up to 99 for one the "
                           "module does not know), found '2.5'"},
        {"3 keyboard de-DE", "", Action::Keyboard, 3.0, 0},
        {"2 keyboard de-CH", "t.txt:2: expected a keyboard layout (en-US, de-DE or fr-FR), found "
                             "'de-CH'"},
        {"3 screen 1350 1080", "", Action::Screen, 3.0, 0},
        {"3 safe zone 0.9", "", Action::SafeZone, 3.0, 0},
        {"3 picture menu-open", "", Action::Picture, 3.0, 0},
        {"abc leave", "t.txt:2: expected a time in seconds or +delay, found 'abc'"},
        {"0.5 leave", "t.txt:2: expected a time not before the previous line's 1 s, found '0.5'"},
        {"2 jump", "t.txt:2: expected a command (hold, release, tap, pad, enter, leave, throttle, "
                   "brake, collide, wreck, restart, focus, pause, busy, hud, game, language, "
                   "keyboard, screen, safe, picture, end), found 'jump'"},
        {"2 tap", "t.txt:2: expected a key name (A-Z, 0-9, shift, ctrl, alt, space, enter, "
                  "num0-num9, f1-f12, up, down, left, right or vkNN), found end of line"},
        {"2 tap num10", "t.txt:2: expected a key name (A-Z, 0-9, shift, ctrl, alt, space, enter, "
                        "num0-num9, f1-f12, up, down, left, right or vkNN), found 'num10'"},
        {"2 tap T 0",
         "t.txt:2: expected a tap length in ms (a whole number, 1 or more), found '0'"},
        {"2 tap T 1.5", "t.txt:2: expected a tap length in ms (a whole number, 1 or more), found "
                        "'1.5'"},
        {"2 enter tank", "t.txt:2: expected a vehicle class (car, bike, plane, boat, helicopter), "
                         "found 'tank'"},
        {"2 throttle 2", "t.txt:2: expected a throttle from 0 to 1, found '2'"},
        {"2 brake -1", "t.txt:2: expected a brake from 0 to 1, found '-1'"},
        {"2 focus maybe", "t.txt:2: expected on or off, found 'maybe'"},
        {"2 pause", "t.txt:2: expected on or off, found end of line"},
        {"2 hud shown", "t.txt:2: expected 'hidden', found 'shown'"},
        {"2 busy asleep on", "t.txt:2: expected a busy state (switch, cutscene, faded, dead, "
                             "arrested, nocontrol), found 'asleep'"},
        {"2 busy dead yes", "t.txt:2: expected on or off, found 'yes'"},
        {"2 busy dead on now", "t.txt:2: expected end of line, found 'now'"},
        {"2 game sfx 11", "t.txt:2: expected a sound-effects level (a whole number, 0 to 10), "
                          "found '11'"},
        {"2 game sfx 2.5", "t.txt:2: expected a sound-effects level (a whole number, 0 to 10), "
                           "found '2.5'"},
        {"2 game volume 5", "t.txt:2: expected a game setting (sfx), found 'volume'"},
        {"2 collide 0", "t.txt:2: expected the km/h lost (above 0, up to 500), found '0'"},
        {"2 pad 7 connect", "t.txt:2: expected a pad number 0-3, found '7'"},
        {"2 pad press start+z", "t.txt:2: expected gamepad buttons joined by '+' (dpad-up, "
                                "dpad-down, dpad-left, dpad-right, start, back, ls, rs, lb, rb, "
                                "a, b, x, y), found 'start+z'"},
        {"2 wreck now", "t.txt:2: expected end of line, found 'now'"},
        // Narrower than 5:4, and wider than three 16:9 screens.
        {"2 screen 1340 1080", "t.txt:2: expected a screen's width and height in pixels, 5:4 to "
                               "three 16:9 screens (640x480 to 11520x4320), found '1340 1080'"},
        {"2 screen 5770 1080", "t.txt:2: expected a screen's width and height in pixels, 5:4 to "
                               "three 16:9 screens (640x480 to 11520x4320), found '5770 1080'"},
        {"2 safe zone 0.4", "t.txt:2: expected a safe zone from 0.5 to 1.0, found '0.4'"},
        {"2 safe area 1", "t.txt:2: expected 'zone', found 'area'"},
        {"2 picture a/b", "t.txt:2: expected a picture name (letters, digits and '-'), found "
                          "'a/b'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::istringstream in(std::string("1 leave\n\n   # only a comment\n") + c.text + "\n");
        simapp::Scenario scenario;
        std::string error;
        const bool ok = simapp::ParseScenario("t.txt", in, scenario, error);
        if (*c.error != '\0') {
            // The bad line is the fourth of the file.
            std::string expected = c.error;
            expected.replace(expected.find(":2:"), 3, ":4:");
            EXPECT_FALSE(ok);
            EXPECT_EQ(error, expected);
            continue;
        }
        ASSERT_TRUE(ok) << error;
        ASSERT_EQ(scenario.lines.size(), 2u);
        const simapp::ScenarioLine& line = scenario.lines[1];
        EXPECT_EQ(line.line, 4);
        EXPECT_EQ(line.action, c.action);
        EXPECT_DOUBLE_EQ(line.time, c.time);
        EXPECT_EQ(line.key, c.key);
    }
}

TEST(ScenarioParser, ArgumentsOfPadEnterTapAndTheGameStates) {
    std::istringstream in("0 pad 2 press a+dpad-down 100\n0 enter helicopter 50\n0 tap T\n"
                          "0 pad release lb+y\n0 pad release\n0 focus on\n"
                          "0 busy nocontrol on\n0 busy switch off\n0 pause off\n"
                          "0 screen 5760 1080\n0 safe zone 0.85\n");
    simapp::Scenario s;
    std::string error;
    ASSERT_TRUE(simapp::ParseScenario("t.txt", in, s, error)) << error;
    EXPECT_EQ(s.lines[0].pad, 2);
    EXPECT_EQ(s.lines[0].buttons, 0x1002);
    EXPECT_EQ(s.lines[0].ms, 100u);
    EXPECT_EQ(s.lines[1].vehicleClass, sim::VehicleClass::Heli);
    EXPECT_FLOAT_EQ(s.lines[1].value, 50.0f);
    EXPECT_EQ(s.lines[2].ms, 50u); // a tap's default length
    EXPECT_EQ(s.lines[3].buttons, 0x8100);
    EXPECT_EQ(s.lines[4].buttons, 0); // every button
    EXPECT_TRUE(s.lines[5].on);
    // Each busy line names the world's flag it sets.
    EXPECT_EQ(simapp::kBusyStateNames[s.lines[6].busy].flag, &sim::World::controlOff);
    EXPECT_TRUE(s.lines[6].on);
    EXPECT_EQ(simapp::kBusyStateNames[s.lines[7].busy].flag, &sim::World::playerSwitch);
    EXPECT_FALSE(s.lines[7].on);
    EXPECT_EQ(s.lines[8].action, Action::Pause);
    EXPECT_FALSE(s.lines[8].on);
    EXPECT_EQ(s.lines[9].width, 5760);
    EXPECT_EQ(s.lines[9].height, 1080);
    EXPECT_FLOAT_EQ(s.lines[10].value, 0.85f);
}

} // namespace
