#!/usr/bin/env bash
# Fails when a tracked Markdown file breaks a rule of .markdownlint-cli2.jsonc,
# or when one of its relative links does not resolve: a linked file that does
# not exist, or an #anchor that names no heading of its page (anchors made
# from headings as GitHub makes them). markdownlint-cli2 and the rule for
# links into other files come from scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(git ls-files -z '*.md')
# A leading ':' makes each name a literal path, not a glob.
markdownlint-cli2 "${files[@]/#/:}"
echo "check_markdown: ${#files[@]} tracked .md files keep the rules, and their relative links resolve"
