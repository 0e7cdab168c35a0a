// The host side of the INI differential check.
//   ini_probe_host run <dir>                 runs the cases through sim::ini in <dir>
//   ini_probe_host compare <host> <wine>     compares two probe outputs
// compare exits 1 when a case the module relies on (Kind::Exact or
// Kind::Normalized) differs, 2 when an output is missing or malformed.

#include "ini_cases.h"
#include "sim/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

using ini_diff::Action;
using ini_diff::Case;
using ini_diff::Kind;

int Run(const std::string& dir) {
    ini_diff::RunCases(
        std::cout, [&dir](const std::string& name) { return dir + "/" + name; },
        [](const std::string& section, const std::string& key, std::int32_t fallback,
           const std::string& path) { return sim::ini::ReadInt(path, section, key, fallback); },
        // The module's buffer: 63 characters and the terminator.
        [](const std::string& section, const std::string& key, const std::string& path) {
            return sim::ini::ReadString(path, section, key, "").substr(0, 63);
        },
        [](const std::string& section, const std::string& key, const std::string& value,
           const std::string& path) { return sim::ini::WriteString(path, section, key, value); });
    return 0;
}

// (event letter, case, step) -> the rest of the line
using Results = std::map<std::tuple<char, std::string, std::size_t>, std::string>;

std::optional<Results> Load(const std::string& path) {
    const std::optional<std::string> text = ini_diff::Slurp(path);
    if (!text) {
        std::cerr << "cannot read " << path << '\n';
        return std::nullopt;
    }
    Results results;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        char event = 0;
        std::string name;
        std::size_t step = 0;
        if (!(fields >> event >> name >> step) || fields.get() != ' ') {
            std::cerr << path << ": malformed line: " << line.substr(0, 80) << '\n';
            return std::nullopt;
        }
        std::string rest;
        std::getline(fields, rest);
        results[{event, name, step}] = rest;
    }
    return results;
}

std::optional<std::string> Unescape(std::string_view payload) {
    if (payload == "missing") {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 1; i + 1 < payload.size(); ++i) {
        if (payload[i] != '\\' || i + 2 >= payload.size()) {
            out += payload[i];
            continue;
        }
        const char c = payload[++i];
        if (c == 'r') {
            out += '\r';
        } else if (c == 'n') {
            out += '\n';
        } else if (c == 'x' && i + 2 < payload.size()) {
            out += static_cast<char>(std::stoi(std::string{payload.substr(i + 1, 2)}, nullptr, 16));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsWineBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsWineBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsWineBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view ToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

// The file as wine writes it back after any change: CRLF after every line,
// blank lines gone, blanks around names, values and header names gone, text
// after a header's ']' gone, and every name or value cut at a NUL.
std::string WineNormalized(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) {
            continue;
        }
        const std::size_t close = line.rfind(']');
        const std::size_t eq = line.find('=');
        if (line.front() == '[' && close != std::string_view::npos && close > 0) {
            out += '[';
            out += ToNul(Trim(line.substr(1, close - 1)));
            out += ']';
        } else if (eq != std::string_view::npos) {
            out += ToNul(Trim(line.substr(0, eq)));
            out += '=';
            out += ToNul(Trim(line.substr(eq + 1)));
        } else {
            out += ToNul(line);
        }
        out += "\r\n";
    }
    return out;
}

std::string Shorten(const std::string& payload) {
    constexpr std::size_t kShown = 120;
    if (payload.size() <= kShown) {
        return payload;
    }
    return payload.substr(0, kShown) + "...(" + std::to_string(payload.size()) + " chars)";
}

std::string Describe(const ini_diff::Step& s) {
    std::string out = s.action == Action::Read       ? "read  ["
                      : s.action == Action::ReadText ? "text  ["
                                                     : "write [";
    out += ini_diff::Escape(s.section);
    out += "] ";
    out += ini_diff::Escape(s.key);
    if (s.action == Action::Read) {
        out += " (default " + std::to_string(s.fallback) + ")";
    } else if (s.action == Action::Write) {
        out += " = \"" + ini_diff::Escape(s.value) + "\"";
    }
    return out;
}

int Compare(const std::string& host_path, const std::string& wine_path) {
    const std::optional<Results> host = Load(host_path);
    const std::optional<Results> wine = Load(wine_path);
    if (!host || !wine) {
        return 2;
    }

    int mismatches = 0;
    int incomplete = 0;
    int checks = 0;
    std::ostringstream failures;
    std::ostringstream rewritten;
    std::ostringstream open;

    for (const Case& c : ini_diff::Cases()) {
        const std::string name{c.name};
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const ini_diff::Step& step = c.steps[i];
            std::vector<char> events{'R'};
            if (step.action == Action::ReadText) {
                events = {'T'};
            } else if (step.action == Action::Write) {
                events = {'W', 'F'};
            }
            for (const char event : events) {
                const auto key = std::make_tuple(event, name, i);
                const auto h = host->find(key);
                const auto w = wine->find(key);
                if (h == host->end() || w == wine->end()) {
                    ++incomplete;
                    failures << "  MISSING " << name << " step " << i << " (" << event << ") in "
                             << (h == host->end() ? "host" : "wine") << " output\n";
                    continue;
                }
                const std::string& hv = h->second;
                const std::string& wv = w->second;
                const std::string what = Describe(step) + (event == 'F' ? " -> file" : "");

                if (c.kind == Kind::Open) {
                    open << "  " << (hv == wv ? "same " : "DIFF ") << name << " #" << i << ' '
                         << what << '\n';
                    if (hv == wv) {
                        open << "        both: " << Shorten(hv) << '\n';
                    } else {
                        open << "        host: " << Shorten(hv) << "\n        wine: " << Shorten(wv)
                             << '\n';
                    }
                    continue;
                }

                ++checks;
                bool same = hv == wv;
                if (!same && event == 'F' && c.kind == Kind::Normalized) {
                    const std::optional<std::string> hf = Unescape(hv);
                    const std::optional<std::string> wf = Unescape(wv);
                    same = hf && wf && WineNormalized(*hf) == WineNormalized(*wf);
                    if (same) {
                        rewritten << "  " << name << " #" << i << ' ' << what
                                  << "\n        host: " << Shorten(hv)
                                  << "\n        wine: " << Shorten(wv) << '\n';
                    }
                }
                if (!same) {
                    ++mismatches;
                    failures << "  MISMATCH " << name << " #" << i << ' ' << what
                             << "\n        host: " << Shorten(hv)
                             << "\n        wine: " << Shorten(wv) << '\n';
                }
            }
        }
    }

    std::cout << "INI differential, sim::ini against the Windows profile functions\n\n"
              << "Open cases (reported, not checked):\n"
              << open.str() << '\n'
              << "Defined cases where wine rewrote the whole file and the host kept the other "
                 "lines (equal after wine's normalization):\n"
              << rewritten.str() << '\n';
    if (mismatches + incomplete > 0) {
        std::cout << "FAILED: " << mismatches << " of " << checks << " checks differ, "
                  << incomplete << " results missing\n"
                  << failures.str();
        return incomplete > 0 ? 2 : 1;
    }
    std::cout << "OK: all " << checks << " checks of defined cases agree\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "run") {
        return Run(args[1]);
    }
    if (args.size() == 3 && args[0] == "compare") {
        return Compare(args[1], args[2]);
    }
    std::cerr << "usage: ini_probe_host run <dir> | compare <host-output> <wine-output>\n";
    return 2;
}
