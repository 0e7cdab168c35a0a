#include "sim/ini_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using sim::ini::ReadInt;
using sim::ini::WriteString;
using namespace std::string_literals;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veloxan_ini_XXXXXX";
        const char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        dir_ = made;
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::string Make(const std::string& name, const std::string& content) const {
        std::ofstream out(Path(name), std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        return Path(name);
    }

    std::string Contents(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir_;
};

constexpr std::uint32_t kNoValue = 0xFFFFFFFFU;

TEST_F(IniFileTest, NamesMatchWithoutRegardToCaseOrSurroundingBlanks) {
    const std::string ini = Make("a.ini", "[Other]\nSLOWMO=1\n"
                                          "  [ Veloxan ]  \n"
                                          "  SLOWMO = 25\n"
                                          "\tBoost Key\t=\t3\n"
                                          "\x1A"
                                          "eof\x1A=4\n");
    EXPECT_EQ(ReadInt(ini, "Veloxan", "slowmo ", -1), 25U);
    EXPECT_EQ(ReadInt(ini, " VELOXAN", " SlowMo", -1), 25U);
    EXPECT_EQ(ReadInt(ini, "veloxan", "boost key", -1), 3U);
    EXPECT_EQ(ReadInt(ini, "other", "slowmo", -1), 1U);
    // Wine counts the 0x1A end-of-file byte as a blank.
    EXPECT_EQ(ReadInt(ini, "Veloxan", "eof", -1), 4U);
    // Inner blanks are part of the name.
    EXPECT_EQ(ReadInt(ini, "Veloxan", "boostkey", -1), kNoValue);
    EXPECT_EQ(ReadInt(ini, "Velox an", "slowmo", -1), kNoValue);
}

TEST_F(IniFileTest, ValueReadsFromItsLeadingDigits) {
    const std::string ini = Make("a.ini", "[Veloxan]\n"
                                          "letters=abc\n"
                                          "suffix=25abc\n"
                                          "padded= 7 \n"
                                          "tabs=\t12\t\n"
                                          "zero=0\n"
                                          "leading_zero=010\n"
                                          "max=4294967295\n"
                                          "inner=1 2\n");
    EXPECT_EQ(ReadInt(ini, "Veloxan", "letters", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "suffix", 9), 25U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "padded", 9), 7U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "tabs", 9), 12U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "zero", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "leading_zero", 9), 10U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "max", 9), 4294967295U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "inner", 9), 1U);
}

TEST_F(IniFileTest, MissingOrEmptyValueGivesTheDefault) {
    EXPECT_EQ(ReadInt(Path("absent.ini"), "Veloxan", "k", -1), kNoValue);
    EXPECT_EQ(ReadInt(Path("absent.ini"), "Veloxan", "k", 42), 42U);
    EXPECT_EQ(ReadInt(Path("no_such_dir/x.ini"), "Veloxan", "k", 5), 5U);

    const std::string ini = Make("a.ini", "[Other]\nk=1\n"
                                          "[Veloxan]\n"
                                          "empty=\n"
                                          "blank=   \n"
                                          "bare\n"
                                          "present=2\n");
    EXPECT_EQ(ReadInt(ini, "Missing", "k", 42), 42U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "k", 42), 42U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "empty", -1), kNoValue);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "blank", 42), 42U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "bare", 42), 42U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "present", 42), 2U);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "", 42), 42U);
}

TEST_F(IniFileTest, ReadsEveryLineEndingAndAnUnterminatedLastLine) {
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol == "\r\n" ? "CRLF" : eol == "\n" ? "LF" : "CR");
        const std::string ini =
            Make("a.ini", "[A]" + eol + "k=1" + eol + eol + "[B]" + eol + "k=2" + eol + "j=3");
        EXPECT_EQ(ReadInt(ini, "A", "k", -1), 1U);
        EXPECT_EQ(ReadInt(ini, "B", "k", -1), 2U);
        EXPECT_EQ(ReadInt(ini, "B", "j", -1), 3U);
        EXPECT_EQ(ReadInt(ini, "A", "j", -1), kNoValue);
    }
}

TEST_F(IniFileTest, DegenerateFilesReadSafely) {
    EXPECT_EQ(ReadInt(Make("empty.ini", ""), "Veloxan", "k", 4), 4U);
    EXPECT_EQ(ReadInt(Make("header.ini", "[Veloxan]"), "Veloxan", "k", 4), 4U);
    EXPECT_EQ(ReadInt(Make("open.ini", "["), "Veloxan", "k", 4), 4U);
    EXPECT_EQ(ReadInt(Make("eq.ini", "[Veloxan]\n="), "Veloxan", "k", 4), 4U);

    const std::string long_line = "[Veloxan]\nlong=" + std::string(200000, '7') + "\nk=3\n";
    const std::string ini = Make("long.ini", long_line);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "k", -1), 3U);
    // Only 29 characters reach the converter: 77...7 (29 digits) mod 2^32.
    EXPECT_EQ(ReadInt(ini, "Veloxan", "long", -1), 3519487089U);

    const std::string nul = Make("nul.ini", "[Veloxan]\na=1\0x\nb=2\nc\0=5\n\0\n"s);
    EXPECT_EQ(ReadInt(nul, "Veloxan", "a", -1), 1U);
    EXPECT_EQ(ReadInt(nul, "Veloxan", "b", -1), 2U);
    EXPECT_EQ(ReadInt(nul, "Veloxan", "c", -1), 5U);

    const std::string bom = Make("bom.ini", "\xEF\xBB\xBF[Veloxan]\r\nk=6\r\n");
    EXPECT_EQ(ReadInt(bom, "Veloxan", "k", -1), 6U);
}

TEST_F(IniFileTest, WriteReplacesValueInPlaceAndKeepsEverythingElse) {
    const std::string before = "; settings\n"
                               "[Other]\n"
                               "slowmo=3\n"
                               "[Veloxan]\n"
                               "  SLOWMO = 25  ; note\n"
                               "\n"
                               "keep = 1 \n"
                               "; tail comment\n"
                               "[Third]\n"
                               "x=1";
    const std::string ini = Make("a.ini", before);
    ASSERT_TRUE(WriteString(ini, "veloxan", "slowmo", "30"));
    std::string expected = before;
    expected.replace(expected.find("25  ; note"), 10, "30");
    EXPECT_EQ(Contents("a.ini"), expected);
    EXPECT_EQ(ReadInt(ini, "Veloxan", "slowmo", -1), 30U);
    EXPECT_EQ(ReadInt(ini, "Other", "slowmo", -1), 3U);

    // Writing the value already there changes nothing.
    ASSERT_TRUE(WriteString(ini, "Veloxan", "SLOWMO", "30"));
    EXPECT_EQ(Contents("a.ini"), expected);

    const std::string crlf = Make("b.ini", "[V]\r\nempty=\r\nblank=  \r\nbare  \r\nk=1\r\n");
    ASSERT_TRUE(WriteString(crlf, "V", "empty", "4"));
    ASSERT_TRUE(WriteString(crlf, "V", "blank", "5"));
    ASSERT_TRUE(WriteString(crlf, "V", "bare", "6"));
    ASSERT_TRUE(WriteString(crlf, "V", "k", ""));
    EXPECT_EQ(Contents("b.ini"), "[V]\r\nempty=4\r\nblank=5\r\nbare=6\r\nk=\r\n");
    EXPECT_EQ(ReadInt(crlf, "V", "k", 8), 8U);
}

TEST_F(IniFileTest, MissingKeyGoesAfterTheLastLineOfItsSection) {
    const std::string ini = Make("a.ini", "[Veloxan]\r\n"
                                          "a=1\r\n"
                                          "\r\n"
                                          "[Other]\r\n"
                                          "b=2\r\n");
    ASSERT_TRUE(WriteString(ini, "Veloxan", "new", "5"));
    ASSERT_TRUE(WriteString(ini, "Veloxan", "newer", "6"));
    EXPECT_EQ(Contents("a.ini"), "[Veloxan]\r\na=1\r\nnew=5\r\nnewer=6\r\n\r\n[Other]\r\nb=2\r\n");

    const std::string empty_section = Make("b.ini", "[Veloxan]\n\n[Other]\nb=2\n");
    ASSERT_TRUE(WriteString(empty_section, "Veloxan", "k", "1"));
    EXPECT_EQ(Contents("b.ini"), "[Veloxan]\nk=1\n\n[Other]\nb=2\n");

    // A comment ending the section stays above the new key, as wine places it.
    const std::string commented = Make("c.ini", "[Veloxan]\na=1\n; about Other\n[Other]\n");
    ASSERT_TRUE(WriteString(commented, "Veloxan", "k", "1"));
    EXPECT_EQ(Contents("c.ini"), "[Veloxan]\na=1\n; about Other\nk=1\n[Other]\n");

    const std::string unterminated = Make("d.ini", "[Veloxan]\r\na=1");
    ASSERT_TRUE(WriteString(unterminated, "Veloxan", "b", "2"));
    EXPECT_EQ(Contents("d.ini"), "[Veloxan]\r\na=1\r\nb=2\r\n");

    const std::string header_only = Make("e.ini", "[Veloxan]");
    ASSERT_TRUE(WriteString(header_only, "Veloxan", "b", "2"));
    EXPECT_EQ(Contents("e.ini"), "[Veloxan]\r\nb=2\r\n");
}

TEST_F(IniFileTest, AFolderOfTheFilesNameGivesDefaultsAndTakesNoWrite) {
    std::filesystem::create_directory(Path("Veloxan.ini"));
    EXPECT_EQ(ReadInt(Path("Veloxan.ini"), "Veloxan", "KEY_PC", 84), 84U);
    EXPECT_FALSE(WriteString(Path("Veloxan.ini"), "Veloxan", "New_Install", "0"));
    EXPECT_TRUE(std::filesystem::is_directory(Path("Veloxan.ini")));
}

TEST_F(IniFileTest, MissingSectionAndFileAreCreated) {
    const std::string fresh = Path("new.ini");
    ASSERT_TRUE(WriteString(fresh, "Veloxan", "slowmo", "25"));
    EXPECT_EQ(Contents("new.ini"), "[Veloxan]\r\nslowmo=25\r\n");
    ASSERT_TRUE(WriteString(fresh, "Veloxan", "mode", "2"));
    ASSERT_TRUE(WriteString(fresh, "Veloxan", "slowmo", "40"));
    EXPECT_EQ(Contents("new.ini"), "[Veloxan]\r\nslowmo=40\r\nmode=2\r\n");
    EXPECT_EQ(ReadInt(fresh, "Veloxan", "slowmo", -1), 40U);
    EXPECT_EQ(ReadInt(fresh, "Veloxan", "mode", -1), 2U);

    const std::string lf = Make("lf.ini", "; mine\n[Other]\nb = 2\n\n");
    ASSERT_TRUE(WriteString(lf, "Veloxan", "k", "1"));
    EXPECT_EQ(Contents("lf.ini"), "; mine\n[Other]\nb = 2\n\n[Veloxan]\nk=1\n");

    const std::string unterminated = Make("u.ini", "[Other]\r\nb=2");
    ASSERT_TRUE(WriteString(unterminated, "Veloxan", "k", "1"));
    EXPECT_EQ(Contents("u.ini"), "[Other]\r\nb=2\r\n[Veloxan]\r\nk=1\r\n");

    const std::string empty = Make("empty.ini", "");
    ASSERT_TRUE(WriteString(empty, "Veloxan", "k", "1"));
    EXPECT_EQ(Contents("empty.ini"), "[Veloxan]\r\nk=1\r\n");

    EXPECT_FALSE(WriteString(Path("no_such_dir/x.ini"), "Veloxan", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(Path("no_such_dir")));
}

TEST_F(IniFileTest, NumbersConvertLikeWindows) {
    const std::string ini = Make("a.ini", "[V]\n"
                                          "minus=-5\n"
                                          "plus=+5\n"
                                          "minus_zero=-0\n"
                                          "spaced_sign=- 5\n"
                                          "sign_only=-\n"
                                          "hex=0x10\n"
                                          "hex_upper=0X1f\n"
                                          "hex_empty=0x\n"
                                          "negative_hex=-0x10\n"
                                          "octal=0o17\n"
                                          "binary=0b101\n"
                                          "two_pow_32=4294967296\n"
                                          "past_32=4294967297\n"
                                          "minus_past_32=-4294967297\n"
                                          "twenty_digits=99999999999999999999\n"
                                          "digits_29=00000000000000000000000000005\n"
                                          "digits_30=000000000000000000000000000005\n");
    EXPECT_EQ(ReadInt(ini, "V", "minus", 9), 0xFFFFFFFBU);
    EXPECT_EQ(ReadInt(ini, "V", "plus", 9), 5U);
    EXPECT_EQ(ReadInt(ini, "V", "minus_zero", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "spaced_sign", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "sign_only", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "hex", 9), 16U);
    EXPECT_EQ(ReadInt(ini, "V", "hex_upper", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "hex_empty", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "negative_hex", 9), 0xFFFFFFF0U);
    EXPECT_EQ(ReadInt(ini, "V", "octal", 9), 15U);
    EXPECT_EQ(ReadInt(ini, "V", "binary", 9), 5U);
    EXPECT_EQ(ReadInt(ini, "V", "two_pow_32", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "past_32", 9), 1U);
    EXPECT_EQ(ReadInt(ini, "V", "minus_past_32", 9), 0xFFFFFFFFU);
    EXPECT_EQ(ReadInt(ini, "V", "twenty_digits", 9), 1661992959U);
    EXPECT_EQ(ReadInt(ini, "V", "digits_29", 9), 5U);
    EXPECT_EQ(ReadInt(ini, "V", "digits_30", 9), 0U);
}

TEST_F(IniFileTest, OneMatchingPairOfQuotesIsDropped) {
    const std::string ini = Make("a.ini", "[V]\n"
                                          "double=\"25\"\n"
                                          "single=' 25'\n"
                                          "negative=\"-3\"\n"
                                          "unmatched=\"25\n"
                                          "mixed=\"25'\n"
                                          "empty=\"\"\n"
                                          "lone=\"\n");
    EXPECT_EQ(ReadInt(ini, "V", "double", 9), 25U);
    EXPECT_EQ(ReadInt(ini, "V", "single", 9), 25U);
    EXPECT_EQ(ReadInt(ini, "V", "negative", 9), 0xFFFFFFFDU);
    EXPECT_EQ(ReadInt(ini, "V", "unmatched", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "mixed", 9), 0U);
    EXPECT_EQ(ReadInt(ini, "V", "empty", 9), 9U);
    EXPECT_EQ(ReadInt(ini, "V", "lone", 9), 0U);
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyOfANameWin) {
    const std::string ini = Make("a.ini", "[A]\n"
                                          "k=1\n"
                                          "k=2\n"
                                          "[B]\n"
                                          "[a]\n"
                                          "k=3\n"
                                          "later=4\n");
    EXPECT_EQ(ReadInt(ini, "A", "k", -1), 1U);
    EXPECT_EQ(ReadInt(ini, "A", "later", -1), kNoValue);

    ASSERT_TRUE(WriteString(ini, "A", "k", "5"));
    ASSERT_TRUE(WriteString(ini, "A", "later", "6"));
    EXPECT_EQ(Contents("a.ini"), "[A]\nk=5\nk=2\nlater=6\n[B]\n[a]\nk=3\nlater=4\n");
}

TEST_F(IniFileTest, LinesOutsideTheKeyValueShape) {
    const std::string ini = Make("a.ini", "top=7\n"
                                          "[V] trailing text\n"
                                          ";c=2\n"
                                          "[X\n"
                                          "z=1\n"
                                          "k=a=b\n");
    EXPECT_EQ(ReadInt(ini, "", "top", -1), 7U);
    EXPECT_EQ(ReadInt(ini, "V", "top", -1), kNoValue);
    EXPECT_EQ(ReadInt(ini, "V", ";c", -1), 2U);
    EXPECT_EQ(ReadInt(ini, "V", "z", -1), 1U);
    EXPECT_EQ(ReadInt(ini, "X", "z", -1), kNoValue);
    EXPECT_EQ(ReadInt(ini, "V", "k", -1), 0U);

    ASSERT_TRUE(WriteString(ini, "", "pre", "1"));
    ASSERT_TRUE(WriteString(ini, " V", " k ", "c=d"));
    ASSERT_TRUE(WriteString(ini, " V", " n ", " 8"));
    EXPECT_EQ(Contents("a.ini"), "top=7\npre=1\n[V] trailing text\n;c=2\n[X\nz=1\nk=c=d\nn = 8\n");
    EXPECT_EQ(ReadInt(ini, "V", "n", -1), 8U);

    const std::string headerless = Make("b.ini", "[V]\nk=1\n");
    ASSERT_TRUE(WriteString(headerless, "", "pre", "2"));
    EXPECT_EQ(Contents("b.ini"), "pre=2\n[V]\nk=1\n");
    EXPECT_EQ(ReadInt(headerless, "", "pre", -1), 2U);
}

} // namespace
