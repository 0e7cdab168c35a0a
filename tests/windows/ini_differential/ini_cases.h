#pragma once
// INI cases run once through the real profile functions (under wine) and once
// through sim::ini, so that the two can be compared line by line. Both probes
// print with RunCases below, so any difference in their output comes from
// the profile implementations and not from the probes.
//
// Output, one line per event:
//   R <case> <step> <value>          GetPrivateProfileIntA result, unsigned
//   T <case> <step> "<text>"         GetPrivateProfileStringA's text, as the
//                                    module asks it: default "", 64 chars
//   W <case> <step> <0|1>            WritePrivateProfileStringA result
//   F <case> <step> "<bytes>"        the file after a write, escaped
//   F <case> <step> missing

#include "../bad_ini_cases.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ini_diff {

using namespace std::string_literals;

enum class Kind {
    // Input already in the form wine writes (CRLF, no blank lines, no blanks
    // around names): reads and the bytes of the file after writes must agree.
    Exact,
    // Input wine would rewrite: reads must agree, and the files after writes
    // must agree once both are put in wine's normalized form.
    Normalized,
    // Behaviour the module does not rely on: reported side by side, never a
    // failure.
    Open,
};

enum class Action { Read, ReadText, Write };

struct Step {
    Action action;
    std::string_view section;
    std::string_view key;
    std::int32_t fallback;
    std::string_view value;
};

constexpr Step Read(std::string_view section, std::string_view key, std::int32_t fallback) {
    return {Action::Read, section, key, fallback, {}};
}

constexpr Step ReadText(std::string_view section, std::string_view key) {
    return {Action::ReadText, section, key, 0, {}};
}

constexpr Step Write(std::string_view section, std::string_view key, std::string_view value) {
    return {Action::Write, section, key, 0, value};
}

struct Case {
    std::string_view name;
    Kind kind;
    std::optional<std::string> initial; // absent: the file does not exist
    std::vector<Step> steps;
    std::string_view file = {}; // relative, '/'-separated; empty: "<name>.ini"
};

inline const std::vector<Case>& Cases() {
    static std::vector<Case> cases = {
        // Reading.
        {"names_case_and_blanks",
         Kind::Exact,
         "[Other]\r\nSLOWMO=1\r\n  [ Veloxan ]  \r\n  SLOWMO = 25\r\n\tBoost Key\t=\t3\r\n"s,
         {Read("Veloxan", "slowmo ", -1), Read(" VELOXAN", " SlowMo", -1),
          Read("veloxan", "boost key", -1), Read("other", "slowmo", -1),
          Read("Veloxan", "boostkey", -1), Read("Velox an", "slowmo", -1)}},
        {"leading_digits",
         Kind::Exact,
         "[Veloxan]\r\nletters=abc\r\nsuffix=25abc\r\npadded= 7 \r\ntabs=\t12\t\r\nzero=0\r\n"
         "leading_zero=010\r\nmax=4294967295\r\ninner=1 2\r\nnote=25 ; why\r\n"s,
         {Read("Veloxan", "letters", 9), Read("Veloxan", "suffix", 9), Read("Veloxan", "padded", 9),
          Read("Veloxan", "tabs", 9), Read("Veloxan", "zero", 9),
          Read("Veloxan", "leading_zero", 9), Read("Veloxan", "max", 9),
          Read("Veloxan", "inner", 9), Read("Veloxan", "note", 9)}},
        {"key_names_as_text",
         Kind::Exact,
         "[Veloxan]\r\nname=T\r\nspaced=  Numpad 8 \r\nquoted=\"Left Shift\"\r\n"
         "buttons=DPadDown + A\r\nzero=0\r\nempty=\r\nnote=RB ; pad\r\n"
         "long=0123456789012345678901234567890123456789012345678901234567890123456789\r\n"s,
         {ReadText("Veloxan", "name"), ReadText("Veloxan", "spaced"), ReadText("Veloxan", "quoted"),
          ReadText("Veloxan", "buttons"), ReadText("Veloxan", "zero"), ReadText("Veloxan", "empty"),
          ReadText("Veloxan", "note"), ReadText("Veloxan", "long"), ReadText("Veloxan", "missing"),
          ReadText("Missing", "name")}},
        {"missing_file",
         Kind::Exact,
         std::nullopt,
         {Read("Veloxan", "k", -1), Read("Veloxan", "k", 42), Read("Veloxan", "k", 0)}},
        {"missing_section_key_or_value",
         Kind::Exact,
         "[Other]\r\nk=1\r\n[Veloxan]\r\nempty=\r\nblank=   \r\npresent=2\r\n"s,
         {Read("Missing", "k", 42), Read("Veloxan", "k", 42), Read("Veloxan", "empty", -1),
          Read("Veloxan", "empty", 42), Read("Veloxan", "blank", 42),
          Read("Veloxan", "present", 42)}},
        {"lf_endings",
         Kind::Exact,
         "[A]\nk=1\n\n[B]\nk=2\nj=3\n"s,
         {Read("A", "k", -1), Read("B", "k", -1), Read("B", "j", -1), Read("A", "j", -1)}},
        {"crlf_endings",
         Kind::Exact,
         "[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\nj=3\r\n"s,
         {Read("A", "k", -1), Read("B", "k", -1), Read("B", "j", -1), Read("A", "j", -1)}},
        {"no_trailing_newline",
         Kind::Exact,
         "[A]\r\nk=1\r\n[B]\r\nj=3"s,
         {Read("A", "k", -1), Read("B", "j", -1)}},
        {"empty_file",
         Kind::Exact,
         ""s,
         {Read("Veloxan", "k", 4), Write("Veloxan", "k", "1"), Read("Veloxan", "k", 4)}},
        {"header_only",
         Kind::Exact,
         "[Veloxan]"s,
         {Read("Veloxan", "k", 4), Write("Veloxan", "b", "2"), Read("Veloxan", "b", 4)}},

        // Writing.
        {"replace_in_place",
         Kind::Exact,
         "[Other]\r\nslowmo=3\r\n[Veloxan]\r\nslowmo=25\r\nkeep=1\r\n[Third]\r\nx=1\r\n"s,
         {Write("veloxan", "SLOWMO", "30"), Read("Veloxan", "slowmo", -1),
          Read("Other", "slowmo", -1)}},
        {"replace_keeps_stored_name",
         Kind::Exact,
         "[Veloxan]\r\nSlowMo=25\r\n"s,
         {Write("VELOXAN", "slowmo", "30"), Read("Veloxan", "slowmo", -1)}},
        {"replace_with_same_value_lf",
         Kind::Exact,
         "[Veloxan]\na=1\n"s,
         {Write("Veloxan", "a", "1")}},
        {"append_before_next_section",
         Kind::Exact,
         "[Veloxan]\r\na=1\r\n[Other]\r\nb=2\r\n"s,
         {Write("Veloxan", "new", "5"), Write("Veloxan", "newer", "6"), Read("Veloxan", "new", -1),
          Read("Other", "new", -1)}},
        {"append_to_empty_section",
         Kind::Exact,
         "[Veloxan]\r\n[Other]\r\nb=2\r\n"s,
         {Write("Veloxan", "k", "1")}},
        {"append_after_unterminated_line",
         Kind::Exact,
         "[Veloxan]\r\na=1"s,
         {Write("Veloxan", "b", "2")}},
        {"new_section",
         Kind::Exact,
         "[Other]\r\nb=2\r\n"s,
         {Write("Veloxan", "k", "1"), Write("Veloxan", "j", "2"), Read("Veloxan", "k", -1)}},
        {"new_section_after_unterminated_line",
         Kind::Exact,
         "[Other]\r\nb=2"s,
         {Write("Veloxan", "k", "1")}},
        {"new_file",
         Kind::Exact,
         std::nullopt,
         {Write("Veloxan", "slowmo", "25"), Write("Veloxan", "mode", "2"),
          Write("Veloxan", "slowmo", "40"), Read("Veloxan", "slowmo", -1),
          Read("Veloxan", "mode", -1)}},
        {"write_empty_value",
         Kind::Exact,
         "[Veloxan]\r\nk=1\r\n"s,
         {Write("Veloxan", "k", ""), Read("Veloxan", "k", 7)}},
        {"write_into_missing_directory",
         Kind::Exact,
         std::nullopt,
         {Write("Veloxan", "k", "1"), Read("Veloxan", "k", 3)},
         "no_such_dir/x.ini"},

        // Writing into files wine rewrites.
        {"replace_keeps_other_lines",
         Kind::Normalized,
         "; settings\n[Other]\nslowmo=3\n[Veloxan]\n  SLOWMO = 25  \n\nkeep = 1 \n"
         "; tail comment\n[Third]\nx=1"s,
         {Write("veloxan", "slowmo", "30"), Read("Veloxan", "slowmo", -1),
          Read("Veloxan", "keep", -1), Read("Third", "x", -1)}},
        {"append_before_blank_separator",
         Kind::Normalized,
         "[Veloxan]\r\na=1\r\n\r\n[Other]\r\nb=2\r\n"s,
         {Write("Veloxan", "new", "5")}},
        {"append_after_section_comment",
         Kind::Normalized,
         "[Veloxan]\na=1\n; about Other\n[Other]\n"s,
         {Write("Veloxan", "k", "1")}},
        {"new_section_in_lf_file",
         Kind::Normalized,
         "; mine\n[Other]\nb = 2\n\n"s,
         {Write("Veloxan", "k", "1"), Read("Veloxan", "k", -1)}},
        {"replace_under_padded_header",
         Kind::Normalized,
         "\r\n  [ Veloxan ]  \r\n\tslowmo\t=\t25\t\r\n\r\n"s,
         {Write("Veloxan", "slowmo", "26"), Write("Veloxan", "extra", "1")}},

        // Open cases.
        {"signs_quotes_prefixes",
         Kind::Open,
         "[V]\r\nminus=-5\r\nplus=+5\r\nminus_zero=-0\r\nspaced_sign=- 5\r\nsign_only=-\r\n"
         "double=\"25\"\r\nsingle=' 25'\r\nquoted_minus=\"-3\"\r\nunmatched=\"25\r\n"
         "empty_quotes=\"\"\r\nhex=0x10\r\nhex_upper=0X1f\r\nhex_empty=0x\r\n"
         "minus_hex=-0x10\r\noctal=0o17\r\nbinary=0b101\r\n"s,
         {Read("V", "minus", 9), Read("V", "plus", 9), Read("V", "minus_zero", 9),
          Read("V", "spaced_sign", 9), Read("V", "sign_only", 9), Read("V", "double", 9),
          Read("V", "single", 9), Read("V", "quoted_minus", 9), Read("V", "unmatched", 9),
          Read("V", "empty_quotes", 9), Read("V", "hex", 9), Read("V", "hex_upper", 9),
          Read("V", "hex_empty", 9), Read("V", "minus_hex", 9), Read("V", "octal", 9),
          Read("V", "binary", 9)}},
        {"past_32_bits",
         Kind::Open,
         "[V]\r\ntwo_pow_32=4294967296\r\npast_32=4294967297\r\nminus_past=-4294967297\r\n"
         "twenty=99999999999999999999\r\ndigits_29=00000000000000000000000000005\r\n"
         "digits_30=000000000000000000000000000005\r\n"
         "digits_33=123456789012345678901234567890123\r\n"s,
         {Read("V", "two_pow_32", 9), Read("V", "past_32", 9), Read("V", "minus_past", 9),
          Read("V", "twenty", 9), Read("V", "digits_29", 9), Read("V", "digits_30", 9),
          Read("V", "digits_33", 9)}},
        {"duplicates",
         Kind::Open,
         "[A]\r\nk=1\r\nk=2\r\n[B]\r\n[a]\r\nk=3\r\nlater=4\r\n"s,
         {Read("A", "k", -1), Read("A", "later", -1), Write("A", "k", "5"),
          Write("A", "later", "6"), Read("A", "later", -1)}},
        {"odd_lines",
         Kind::Open,
         "top=7\r\n[V] trailing\r\n;c=2\r\nbare\r\n[X\r\nz=1\r\nk=a=b\r\n"s,
         {Read("", "top", -1), Read("V", ";c", -1), Read("V", "bare", -1), Read("V", "z", -1),
          Read("X", "z", -1), Read("V", "k", -1), Write("V", "bare", "3"), Write("", "pre", "1"),
          Write("V", "k", "c=d")}},
        {"blanks_in_written_names_and_value",
         Kind::Open,
         "[V]\r\na=1\r\n"s,
         {Write("V", "b", " 7 "), Write(" V ", " c ", "8"), Write(" New ", "  d  ", "x y"),
          Read("V", "c", -1), Read("New", "d", -1)}},
        {"eof_byte_and_cr_endings",
         Kind::Open,
         "[V]\r\x1A"
         "eof\x1A=4\rsub=\x1A"
         "8\x1A\r"s,
         {Read("V", "eof", -1), Read("V", "sub", -1), Write("V", "n", "1")}},
        {"embedded_nul",
         Kind::Open,
         "[V]\r\na=1\0x\r\nb=2\r\nc\0=5\r\n\0\r\n"s,
         {Read("V", "a", -1), Read("V", "b", -1), Read("V", "c", -1), Write("V", "b", "9")}},
        {"byte_order_mark",
         Kind::Open,
         "\xEF\xBB\xBF[V]\r\nk=6\r\n"s,
         {Read("V", "k", -1), Write("V", "j", "1")}},
        {"long_line",
         Kind::Open,
         "[V]\r\nlong="s + std::string(70000, '7') + "\r\nk=3\r\n",
         {Read("V", "long", -1), Read("V", "k", -1), Write("V", "k", "4")}},
    };
    static const bool withBadFiles = [] {
        // The wine scenario's bad files, read key by key as the module reads
        // them. A folder or a read-only file needs the Windows side alone, and
        // the 10 MB file costs the sanitized host probe a second per read.
        const std::vector<Step> moduleReads = {
            Read("Veloxan", "KEY_PC", 84),      Read("Veloxan", "KEY_GAMEPAD", 2),
            Read("Veloxan", "KEY_PC_2", 0),     Read("Veloxan", "KEY_GAMEPAD_2", 0),
            Read("Veloxan", "KEY_PC_MENU", 0),  Read("Veloxan", "duration", 0),
            Read("Veloxan", "sensitivity", 0),  Read("Veloxan", "power", 0),
            Read("Veloxan", "boost", 0),        Read("Veloxan", "slowmo ", 0),
            Read("Veloxan", "New_Install ", 0), Read("Veloxan", "display_notifications", 1),
            Read("Veloxan", "SFX_type", 1)};
        for (const bad_ini::Case& bad : bad_ini::Cases()) {
            std::string bytes = bad.setup == bad_ini::Setup::File ? bad.file() : std::string();
            if (!bytes.empty() && bytes.size() < (1u << 20)) {
                cases.push_back({bad.name, Kind::Open, std::move(bytes), moduleReads});
            }
        }
        return true;
    }();
    (void)withBadFiles;
    return cases;
}

inline std::string Escape(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (c < ' ' || c > '~') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

inline std::optional<std::string> Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string FileName(const Case& c) {
    return c.file.empty() ? std::string{c.name} + ".ini" : std::string{c.file};
}

// `path_of` maps a case's relative file name to what both the file streams
// and the profile functions accept; `read`, `read_text` and `write` are the
// profile functions under test.
template <class PathOf, class ReadFn, class ReadTextFn, class WriteFn>
void RunCases(std::ostream& out, PathOf path_of, ReadFn read, ReadTextFn read_text, WriteFn write) {
    for (const Case& c : Cases()) {
        const std::string path = path_of(FileName(c));
        if (c.initial) {
            std::ofstream file(path, std::ios::binary | std::ios::trunc);
            file.write(c.initial->data(), static_cast<std::streamsize>(c.initial->size()));
        }
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            const std::string section{s.section};
            const std::string key{s.key};
            if (s.action == Action::Read) {
                const std::uint32_t got = read(section, key, s.fallback, path);
                out << "R " << c.name << ' ' << i << ' ' << got << '\n';
                continue;
            }
            if (s.action == Action::ReadText) {
                const std::string text = read_text(section, key, path);
                out << "T " << c.name << ' ' << i << " \"" << Escape(text) << "\"\n";
                continue;
            }
            const bool ok = write(section, key, std::string{s.value}, path);
            out << "W " << c.name << ' ' << i << ' ' << (ok ? 1 : 0) << '\n';
            const std::optional<std::string> after = Slurp(path);
            out << "F " << c.name << ' ' << i << ' '
                << (after ? '"' + Escape(*after) + '"' : std::string{"missing"}) << '\n';
        }
    }
    out.flush();
}

} // namespace ini_diff
