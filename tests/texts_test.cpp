// The texts in the game's thirteen languages: every one there, its colour
// codes and placeholders as English has them, and room for it where it is
// drawn on 16:9 and 4:3, measured as the simulator's pictures measure. Then
// which language a start picks from LANGUAGE and the game's answer.

#include "game/key_names.h"
#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"
#include "settings/shown_key_names.h"
#include "settings/texts.h"
#include "sim/app/picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using simapp::MeasureFeedText;
using simapp::MeasureText;

// The menu's wrap on a 1920x1080 screen, where the widest of some names is picked.
constexpr double kMenuWrap = 0.14 * simapp::kPictureWidth;
constexpr double kRowScale = 0.32;

// Where the module drew, in pixels of a screen 1080 high: the menu's wrap, the notice's box.
struct Room {
    double menuWrap, notice;
};

enum class Slot { Feed, Notice, Credit, Path, Row, Description };

struct Shown {
    Slot slot;
    std::string text;
};

std::string Fill(const char* pattern, const std::string& first, const std::string& second = "") {
    char out[256];
    FormatText(out, sizeof out, pattern, first.c_str(), second.c_str());
    return out;
}

// The wider of two names on a menu row.
void KeepWider(std::string& widest, const std::string& name) {
    if (MeasureText(name, kRowScale, kMenuWrap).width >
        MeasureText(widest, kRowScale, kMenuWrap).width) {
        widest = name;
    }
}

// The widest name a key row may show: the module's own, or Windows' on the
// simulated game's US, German or French keyboard.
std::string WidestKeyName() {
    std::string widest;
    for (std::size_t k = 0; k < kKeyNameCount; ++k) {
        KeepWider(widest, kKeyNames[k].name);
    }
    for (const auto layout :
         {sim::KeyboardLayout::EnUs, sim::KeyboardLayout::DeDe, sim::KeyboardLayout::FrFr}) {
        sim::game().input.keyboard = layout;
        for (std::int32_t code = 1; code < 255; ++code) {
            char name[kShownKeyNameSize] = {};
            ShownNameOfSetting(code, false, false, name, sizeof name);
            KeepWider(widest, name);
        }
    }
    return widest;
}

bool Between(TextId id, TextId first, TextId last) { return id >= first && id <= last; }

// Each text as the module shows it, with the widest values it can be given:
// a key row's label with the widest key's name (a pad row's with one
// button's), the wait and "none"; the refusals with the widest key and
// holder, standing for the row.
std::vector<Shown> AsShown(std::size_t language, TextId id) {
    static const std::string key = WidestKeyName();
    const auto in = [language](TextId other) { return std::string(TextIn(language, other)); };
    const std::string text = in(id);
    const auto row = [&](const std::vector<std::string>& values) {
        std::vector<Shown> shown;
        for (const std::string& value : values) {
            shown.push_back({Slot::Row, text + value});
        }
        return shown;
    };
    const auto widestOf = [&](TextId first, TextId last) {
        std::string widest;
        for (auto k = first; k <= last; k = static_cast<TextId>(static_cast<int>(k) + 1)) {
            KeepWider(widest, in(k));
        }
        return widest;
    };
    const std::string keyHolder = widestOf(TextId::HolderBoost, TextId::HolderMenuBack);
    const std::string padHolder = widestOf(TextId::HolderPadBoost, TextId::HolderPadMenu);
    const std::string button = widestOf(TextId::PadButtonDPadUp, TextId::PadButtonY);

    switch (id) {
    case TextId::MenuCredit:
        return {{Slot::Credit, text}};
    case TextId::MainMenu:
        return {{Slot::Path, text}, {Slot::Path, text + "->" + in(TextId::KeysLabel)}};
    case TextId::On:
    case TextId::Off:
        return {{Slot::Row, in(TextId::MessagesLabel) + text}};
    case TextId::SoundLabel:
        return row({"  Orca >>", "<< Lumen  "});
    case TextId::MessagesLabel:
        return row({in(TextId::On), in(TextId::Off)});
    case TextId::PadLabel:
        return {{Slot::Row, text}, {Slot::Path, in(TextId::KeysLabel) + "->" + text}};
    case TextId::NoticePressToEnter:
        return {{Slot::Notice, Fill(text.c_str(), "SHIFT + T")},
                {Slot::Notice, Fill(text.c_str(), "CTRL + F9")}};
    case TextId::KeyTaken:
        return {{Slot::Row, Fill(text.c_str(), key, keyHolder)},
                {Slot::Row, Fill(text.c_str(), button, padHolder)}};
    case TextId::KeyMenuButton:
        return {{Slot::Row, Fill(text.c_str(), button)}};
    default:
        break;
    }
    if (Between(id, TextId::Activated, TextId::ShutDown)) {
        return {{Slot::Feed, text}};
    }
    if (Between(id, TextId::PadButtonDPadUp, TextId::PadButtonY)) {
        return {{Slot::Row, in(TextId::PadBoostLabel) + text},
                {Slot::Row, in(TextId::PadBoost2Label) + text},
                {Slot::Row, in(TextId::PadMenuLabel) + text}};
    }
    if (Between(id, TextId::NoticeNoMenuKey, TextId::NoticeThanks)) {
        return {{Slot::Notice, text}};
    }
    const std::string english = TextIn(0, id);
    if (Between(id, TextId::KeyBoostLabel, TextId::KeyBackLabel) && english.back() == ' ') {
        return row({key, in(TextId::KeyNone), in(TextId::KeyWaitKey)});
    }
    if (Between(id, TextId::PadBoostLabel, TextId::PadMenuHelp) && english.back() == ' ') {
        return row({button, in(TextId::KeyNone), in(TextId::KeyWaitButton)});
    }
    if (english.size() > 1 && english.back() == '.') {
        return {{Slot::Description, text}};
    }
    // Labels, the holders and the row's own messages stand on a row.
    return {{Slot::Row, text}};
}

// The lines a slot holds and the width they may take.
bool Fits(const Shown& shown, const Room& screen, std::string& how) {
    simapp::TextLayout layout;
    int lines = 1;
    double room = screen.menuWrap;
    switch (shown.slot) {
    case Slot::Feed:
        layout = MeasureFeedText(shown.text);
        lines = 3;
        room = simapp::FeedTextRoom();
        break;
    case Slot::Notice:
        layout = MeasureText(shown.text, 0.36, simapp::kPictureWidth);
        room = screen.notice;
        break;
    case Slot::Credit:
        layout = MeasureText(shown.text, 0.16, screen.menuWrap);
        break;
    case Slot::Path:
        layout = MeasureText(shown.text, 0.35, screen.menuWrap);
        break;
    case Slot::Row:
        layout = MeasureText(shown.text, kRowScale, screen.menuWrap);
        break;
    case Slot::Description:
        // Two lines fill the orange band under the rows.
        layout = MeasureText(shown.text, 0.21, screen.menuWrap);
        lines = 2;
        break;
    }
    how = std::to_string(layout.lines) + " lines, " + std::to_string(layout.width) + " px of " +
          std::to_string(room);
    return layout.lines <= lines && layout.width <= room;
}

// The ~x~ codes in order; false when a '~' is not part of one.
bool Codes(const std::string& text, std::string& codes) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '~') {
            continue;
        }
        if (at + 2 >= text.size() || text[at + 2] != '~') {
            return false;
        }
        codes += text[at + 1];
        at += 2;
    }
    return true;
}

std::string Placeholders(const std::string& text) {
    std::string found;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        found += text.substr(at, 2);
    }
    return found;
}

using TextsOnScreen = MenuTest;

TEST_F(TextsOnScreen, every_language_has_every_text_with_its_codes_and_room_where_it_is_drawn) {
    BootWithMenuKey();
    OpenFully();
    // The room drawn on 16:9, then 4:3, the notice on: the game sizes text by the height alone.
    std::vector<Room> screens;
    for (const int width : {1920, 1440}) {
        game.world.paused = true;
        sim::Step();
        game.world.SetScreen(width, 1080);
        game.world.paused = false;
        Settings.New_Install = 1;
        sim::Step();
        Room& room = screens.emplace_back();
        for (const sim::DrawItem& item : game.world.DrawList(game.frame)) {
            if (item.kind == sim::DrawItem::Text && item.text.style.scaleY == 0.32f) {
                room.menuWrap = (item.text.style.wrapEnd - item.text.style.wrapStart) * width;
            } else if (item.kind == sim::DrawItem::Rect && item.rect.height == 0.11f) {
                room.notice = item.rect.width * width;
            }
        }
    }
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        for (std::size_t index = 0; index < kTextCount; ++index) {
            const auto id = static_cast<TextId>(index);
            const std::string text = TextIn(language, id);
            const std::string english = TextIn(0, id);
            SCOPED_TRACE(std::string(kLanguageTags[language]) + " text " + std::to_string(index) +
                         ": \"" + text + "\"");
            ASSERT_FALSE(text.empty());
            std::string codes, englishCodes;
            EXPECT_TRUE(Codes(text, codes));
            ASSERT_TRUE(Codes(english, englishCodes));
            EXPECT_EQ(codes, englishCodes);
            EXPECT_EQ(Placeholders(text), Placeholders(english));
            for (const Shown& shown : AsShown(language, id)) {
                for (const Room& screen : screens) {
                    std::string how;
                    EXPECT_TRUE(Fits(shown, screen, how)) << "\"" << shown.text << "\": " << how;
                }
                // A refusal is formatted into the row's label.
                if (id == TextId::KeyTaken || id == TextId::KeyMenuButton) {
                    EXPECT_LT(shown.text.size(), kMenuLabelSize) << shown.text;
                }
            }
        }
    }
}

// A buffer's end never falls inside a letter: 2-, 3- and 4-byte letters
// cut at each byte keep only the whole ones.
TEST(Texts, a_text_cut_short_keeps_whole_letters) {
    const struct {
        const char* text;
        std::size_t size;
        const char* kept;
    } cases[] = {{"Жж", 4, "Ж"},    {"Жж", 5, "Жж"}, {"aキー", 6, "aキ"},
                 {"aキー", 4, "a"}, {"😀x", 4, ""},   {"😀x", 6, "😀x"}};
    for (const auto& c : cases) {
        char formatted[8];
        char copied[8];
        FormatText(formatted, c.size, "%1", c.text);
        CopyMenuText(copied, c.size, c.text);
        EXPECT_STREQ(formatted, c.kept) << c.text << " in " << c.size;
        EXPECT_STREQ(copied, c.kept) << c.text << " in " << c.size;
    }
}

class LanguageTest : public SimTest {};

// LANGUAGE in Veloxan.ini, else the game's answer; what the log says of it.
TEST_F(LanguageTest, a_start_picks_the_setting_or_else_the_game_language) {
    struct Case {
        const char* ini;
        std::int32_t gameAnswer;
        const char* tag;
        const char* logged;
    };
    const Case cases[] = {
        {"", 2, "de-DE", "language de-DE (the game's)"},
        {"LANGUAGE=auto\n", 10, "ja-JP", "language ja-JP (the game's)"},
        {"LANGUAGE=0\n", 12, "zh-CN", "language zh-CN (the game's)"},
        {"LANGUAGE=fr-FR\n", 2, "fr-FR", "language fr-FR (LANGUAGE in Veloxan.ini)"},
        {"LANGUAGE=pt-br\n", 0, "pt-BR", "language pt-BR (LANGUAGE in Veloxan.ini)"},
        {"LANGUAGE=Klingon\n", 8, "ko-KR",
         "repaired LANGUAGE: read \"Klingon\", not a language tag: the game's language used"},
        {"LANGUAGE=en-USA\n", 2, "de-DE",
         "repaired LANGUAGE: read \"en-USA\", not a language tag: the game's language used"},
        {"LANGUAGE=fr\n", 13, "en-US", "the game's language is 13, not one of 0-12: English used"},
        {"", -1, "en-US", "language en-US (English, for the game's unknown language)"},
    };
    bool booted = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ini) + " game " + std::to_string(c.gameAnswer));
        WriteIni(std::string("[Veloxan]\n") + c.ini);
        game.world.language = c.gameAnswer;
        const std::size_t logged = ReadGameFile("Veloxan.log").size();
        if (booted) {
            // Each start picks again: the game reloads the script.
            sim::RestartScript();
            sim::Step();
        } else {
            Boot();
            booted = true;
        }
        const int language = LanguageOfTag(c.tag);
        ASSERT_GE(language, 0);
        const auto picked = static_cast<std::size_t>(language);
        EXPECT_STREQ(Text(TextId::MainMenu), TextIn(picked, TextId::MainMenu));
        // The rows built at the first start take each start's language.
        ASSERT_NE(rootPage.children[0], nullptr);
        EXPECT_STREQ(rootPage.children[0]->label, TextIn(picked, TextId::DurationLabel));
        EXPECT_NE(ReadGameFile("Veloxan.log").find(c.logged, logged), std::string::npos);
    }
}

} // namespace
