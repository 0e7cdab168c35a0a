#!/usr/bin/env bash
# Builds both targets and runs every test: the format, include-ladder,
# Markdown, PO and clang-tidy checks (the Markdown files' style and their
# relative links; the texts' gettext files as msgfmt reads them), the host
# build (module + simulated game, under AddressSanitizer and UBSan, with a
# bounded soak), a bounded fuzz of the settings file (clang, libFuzzer) and
# the Windows build (Veloxan.asi under wine, its static checks and the
# release package).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== format, the include ladder, Markdown, PO files and clang-tidy =="
bash scripts/check_format.sh
python3 scripts/check_includes.py
bash scripts/check_markdown.sh
# The translators' files as gettext's own tools read them; a warning fails
# too, as the compilers' do.
for po in src/settings/texts/texts.pot src/settings/texts/*.po; do
    if ! report=$(msgfmt --check --output-file=/dev/null "$po" 2>&1) || [ -n "$report" ]; then
        echo "$report"
        echo "msgfmt --check: $po is refused (see above)" >&2
        exit 1
    fi
done
echo "msgfmt --check: the texts' template and PO files are clean"
cmake --preset host >/dev/null
bash scripts/check_tidy.sh

echo "== host build and tests =="
cmake --build --preset host
ctest --preset host

echo "== settings file fuzz (libFuzzer, 60 s) =="
mkdir -p build
fuzz_log=build/fuzz-last-run.log
if ! bash scripts/fuzz.sh 60 >"$fuzz_log" 2>&1; then
    tail -n 60 "$fuzz_log"
    echo "fuzz: FAILED (whole log in $fuzz_log)"
    exit 1
fi
grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)" "$fuzz_log"

echo "== Windows build and tests =="
bash tests/windows/run_windows_tests.sh build/windows
