#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it.
# Fix with: clang-format -i FILE
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "check_format: every tracked .cpp and .h file is formatted"
