#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's packages and, for the
# Markdown check, from the npm registry at pinned versions; and any further
# Debian packages named as arguments (a script's own tools). Idempotent:
# packages already present, at the pinned version for npm's, are not fetched
# again.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    # The include ladder's check and the native extract's refresh.
    python3
    googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    wine wine64 zip
    # The simulator's pictures and options, the benchmark, the fuzzer and the
    # checks a modder runs.
    libcli11-dev libcairo2-dev fonts-dejavu-core
    # Russian, Korean, Japanese and Chinese texts: the smallest Debian font
    # with all four scripts.
    fonts-wqy-microhei
    # veloxan-sim --live: the window, keys, pad and sound.
    libsdl2-dev
    libbenchmark-dev valgrind
    clang libclang-rt-14-dev clang-tidy clang-format
    # The native database extract is read by a host test.
    nlohmann-json3-dev
    # The texts' table is made from their PO files at build time (python3),
    # and the test command checks those files as gettext reads them.
    python3 gettext
)
# scripts/check_markdown.sh: markdownlint-cli2 and the rule that checks links
# into other files, installed globally side by side so that the one finds the
# other. Both run on Node 20 (later releases ask for Node 22).
npm_packages=(
    markdownlint-cli2@0.22.1
    markdownlint-rule-relative-links@3.0.0
)
# Node and npm from Debian's packages where the machine has no npm at all.
if ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
fi
packages+=("$@")

if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
else
    sudo=
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

npm_root="$(npm root -g)"
npm_missing=()
for package in "${npm_packages[@]}"; do
    name="${package%@*}"
    version="${package##*@}"
    installed="$(node -p "require('$npm_root/$name/package.json').version" 2>/dev/null || true)"
    if [ "$installed" != "$version" ]; then
        npm_missing+=("$package")
    fi
done

if ((${#npm_missing[@]})); then
    echo "setup: installing ${npm_missing[*]} from npm"
    $sudo npm install --global --no-audit --no-fund --loglevel=error "${npm_missing[@]}" >/dev/null
fi
