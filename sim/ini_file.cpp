// Profile files for the host build, read and written as text so that a file
// edited by the simulated game looks like one the module left on Windows.
//
// Reading follows wine 8's GetPrivateProfileIntA, which is what
// tests/windows/ini_differential compares against:
//  - Lines end at CR, LF or CRLF. A UTF-8 byte-order mark at the start is
//    skipped. Lines before the first header form a section named "".
//  - A header is a line whose first non-blank byte is '[' and that has a ']';
//    the name runs to the last ']' (so "[Veloxan] ; note" is "Veloxan"). A
//    '[' line without ']' is an ordinary line of the current section.
//  - Every other non-blank line is an entry; its name runs to the first '='.
//    A line without '=' is an entry without a value (it reads as the
//    default). There is no comment syntax: ";x=1" is an entry named ";x",
//    which is also why comment lines count as lines of their section below.
//  - Names compare ASCII-case-insensitively after trimming blanks (space, tab,
//    CR, LF, VT, FF and the 0x1A end-of-file byte); a NUL ends a name or
//    value, as the Windows string functions stop there.
//  - Duplicates: only the first section of a name is looked at (keys under a
//    later "[Veloxan]" are invisible and writes go to the first one), and the
//    first entry of a name wins.
//  - The value is trimmed; one pair of matching '"' or '\'' around it is
//    dropped; only its first 29 characters count (wine reads it through a
//    30-character buffer). An empty result gives the default. Otherwise it is
//    converted like RtlUnicodeStringToInteger with base 0: leading bytes
//    <= ' ' skipped, then an optional '+' or '-', then a lower-case prefix
//    "0x", "0o" or "0b" picks base 16, 8 or 2 ("0X1f" reads 0), then digits
//    up to the first one invalid in the base, accumulated modulo 2^32 and
//    negated modulo 2^32 for '-'. So "-5" -> 0xFFFFFFFB, "+5" -> 5,
//    "\"25\"" -> 25, "0x10" -> 16, "4294967297" -> 1, "- 5" -> 0.
//
// Writing keeps the file's bytes and touches only what it must, where wine
// rewrites the whole file in a normalized form (CRLF, blank lines dropped,
// blanks around names and '=' removed, text after a header's ']' dropped):
//  - An existing entry gets its trimmed value replaced in place; an entry
//    without '=' gets "=value" after its name.
//  - A missing key goes after the last non-blank line of the section (its
//    header when it has none), so before the blank lines that separate it
//    from the next section, and after any comment ending the section, which
//    is where wine puts it.
//  - A missing section is appended at the end of the file, a missing file is
//    created. Added lines use the file's first line ending, CRLF if it has
//    none; a last line without line ending gets one before anything is added.
//  - New section and key names lose their leading blanks, as in wine. The
//    value is written as given (wine drops its leading blanks).

#include "sim/ini_file.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace sim::ini {
namespace {

// Wine's profile reader hands the value to the converter through a
// 30-character buffer, terminator included.
constexpr std::size_t kValueBufferChars = 30;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view CutAtNul(std::string_view s) { return s.substr(0, s.find('\0')); }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// `in_file` is a name as written in the file, `asked` the caller's.
bool SameName(std::string_view in_file, std::string_view asked) {
    in_file = CutAtNul(Trim(in_file));
    asked = CutAtNul(Trim(asked));
    if (in_file.size() != asked.size()) {
        return false;
    }
    for (std::size_t i = 0; i < in_file.size(); ++i) {
        if (AsciiLower(in_file[i]) != AsciiLower(asked[i])) {
            return false;
        }
    }
    return true;
}

// Offsets into the file text: the line's bytes are [begin, end), its line
// ending (if any) is [end, next).
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

std::vector<Line> SplitLines(std::string_view text, std::size_t from) {
    std::vector<Line> lines;
    std::size_t pos = from;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        std::size_t next = end;
        if (next < text.size()) {
            next +=
                (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
        }
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

std::string_view Content(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.end - line.begin);
}

// The name inside a header line, or nothing when the line is not a header.
std::optional<std::string_view> HeaderName(std::string_view content) {
    const std::string_view t = TrimLeft(content);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = t.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return t.substr(1, close - 1);
}

struct Entry {
    std::string_view name;
    std::optional<std::string_view> value; // untrimmed text after '='
};

Entry ParseEntry(std::string_view content) {
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) {
        return {content, std::nullopt};
    }
    return {content.substr(0, eq), content.substr(eq + 1)};
}

// Lines [first, last) of a section's body; `header` is the header line's
// index, absent for the section before the first header.
struct Section {
    std::optional<std::size_t> header;
    std::size_t first;
    std::size_t last;
};

std::optional<Section> FindSection(std::string_view text, const std::vector<Line>& lines,
                                   std::string_view name) {
    std::optional<Section> found;
    if (SameName("", name)) {
        found = Section{std::nullopt, 0, lines.size()};
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> header = HeaderName(Content(text, lines[i]));
        if (!header) {
            continue;
        }
        if (found) {
            found->last = i;
            return found;
        }
        if (SameName(*header, name)) {
            found = Section{i, i + 1, lines.size()};
        }
    }
    return found;
}

std::optional<std::size_t> FindKey(std::string_view text, const std::vector<Line>& lines,
                                   const Section& section, std::string_view key) {
    for (std::size_t i = section.first; i < section.last; ++i) {
        const std::string_view content = Content(text, lines[i]);
        if (Trim(content).empty()) {
            continue;
        }
        if (SameName(ParseEntry(content).name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// What wine's GetPrivateProfileStringA hands to the converter.
std::string_view ProfileString(std::string_view raw_value) {
    std::string_view v = CutAtNul(Trim(raw_value));
    bool quoted = false;
    if (v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        quoted = true;
        v.remove_prefix(1);
    }
    const bool fits = v.size() <= kValueBufferChars;
    v = v.substr(0, kValueBufferChars - 1);
    if (quoted && fits && !v.empty()) {
        v.remove_suffix(1);
    }
    return v;
}

// What wine's GetPrivateProfileStringA copies into a buffer large enough for
// it: the value without the blanks around it, cut at a NUL, without a pair of
// quotes around it. The caller's buffer cuts it further.
std::string_view TextOfValue(std::string_view raw_value) {
    std::string_view v = CutAtNul(Trim(raw_value));
    if (v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

// RtlUnicodeStringToInteger with base 0, in unsigned arithmetic so that
// overflow wraps instead of being undefined.
std::uint32_t ConvertLikeWindows(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < s.size() && s[i] == '0') {
        const char prefix = s[i + 1];
        base = prefix == 'x' ? 16U : prefix == 'o' ? 8U : prefix == 'b' ? 2U : 10U;
        if (base != 10) {
            i += 2;
        }
    }
    std::uint32_t total = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'Z') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'z') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        total = total * base + digit;
    }
    return negative ? 0U - total : total;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    // A folder of that name opens, but reading it throws; Windows reads
    // nothing from it and writes nothing to it.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

std::size_t BodyStart(std::string_view text) {
    return text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
}

std::string_view LineEnding(std::string_view text, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (line.next > line.end) {
            return text.substr(line.end, line.next - line.end);
        }
    }
    return "\r\n";
}

// The text to insert after `line`, which may be the file's last line and
// lack a line ending.
std::string AfterLine(const Line& line, std::string_view eol, std::string_view added) {
    std::string out;
    if (line.next == line.end) {
        out += eol;
    }
    out += added;
    return out;
}

} // namespace

std::uint32_t ReadInt(const std::string& path, std::string_view section, std::string_view key,
                      std::int32_t fallback) {
    const auto fallback_bits = static_cast<std::uint32_t>(fallback);
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return fallback_bits;
    }
    const std::vector<Line> lines = SplitLines(*text, BodyStart(*text));
    const std::optional<Section> found = FindSection(*text, lines, section);
    if (!found) {
        return fallback_bits;
    }
    const std::optional<std::size_t> at = FindKey(*text, lines, *found, key);
    if (!at) {
        return fallback_bits;
    }
    const Entry entry = ParseEntry(Content(*text, lines[*at]));
    const std::string_view value = entry.value ? ProfileString(*entry.value) : std::string_view{};
    if (value.empty()) {
        return fallback_bits;
    }
    return ConvertLikeWindows(value);
}

std::string ReadString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view fallback) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return std::string(fallback);
    }
    const std::vector<Line> lines = SplitLines(*text, BodyStart(*text));
    const std::optional<Section> found = FindSection(*text, lines, section);
    const std::optional<std::size_t> at = found ? FindKey(*text, lines, *found, key) : std::nullopt;
    if (!at) {
        return std::string(fallback);
    }
    const Entry entry = ParseEntry(Content(*text, lines[*at]));
    return std::string(entry.value ? TextOfValue(*entry.value) : std::string_view{});
}

bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value) {
    std::string text;
    {
        std::ifstream probe(path, std::ios::binary);
        if (probe) {
            probe.close();
            std::optional<std::string> existing = ReadWholeFile(path);
            if (!existing) {
                return false;
            }
            text = std::move(*existing);
        }
    }

    const std::vector<Line> lines = SplitLines(text, BodyStart(text));
    const std::string_view eol = LineEnding(text, lines);
    const std::optional<Section> found = FindSection(text, lines, section);

    std::string new_entry{TrimLeft(key)};
    new_entry += '=';
    new_entry += value;

    std::size_t replace_at = 0;
    std::size_t replace_len = 0;
    std::string replacement;
    if (!found) {
        replace_at = text.size();
        if (!lines.empty() && lines.back().next == lines.back().end) {
            replacement += eol;
        }
        replacement += '[';
        replacement += TrimLeft(section);
        replacement += ']';
        replacement += eol;
        replacement += new_entry;
        replacement += eol;
    } else if (const std::optional<std::size_t> at = FindKey(text, lines, *found, key)) {
        const Line& line = lines[*at];
        const std::string_view content = Content(text, line);
        const std::size_t eq = content.find('=');
        if (eq == std::string_view::npos) {
            const std::string_view name = Trim(content);
            replace_at =
                line.begin + static_cast<std::size_t>(name.data() - content.data()) + name.size();
            replace_len = line.end - replace_at;
            replacement = "=";
        } else {
            const std::string_view after = content.substr(eq + 1);
            std::string_view old_value = Trim(after);
            if (old_value.empty()) {
                old_value = after;
            }
            replace_at = line.begin + static_cast<std::size_t>(old_value.data() - content.data());
            replace_len = old_value.size();
        }
        replacement += value;
    } else {
        std::optional<std::size_t> last_line = found->header;
        for (std::size_t i = found->first; i < found->last; ++i) {
            if (!Trim(Content(text, lines[i])).empty()) {
                last_line = i;
            }
        }
        if (last_line) {
            replace_at = lines[*last_line].next;
            replacement = AfterLine(lines[*last_line], eol, new_entry + std::string{eol});
        } else {
            replace_at = BodyStart(text);
            replacement = new_entry + std::string{eol};
        }
    }
    text.replace(replace_at, replace_len, replacement);

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace sim::ini
