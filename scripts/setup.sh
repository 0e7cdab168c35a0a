#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's packages, and any
# further packages named as arguments (a script's own tools). Idempotent:
# packages already present are not fetched again.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    wine wine64 zip
    # The simulator's pictures and options, the benchmark, the fuzzer and the
    # checks a modder runs.
    libcli11-dev libcairo2-dev fonts-dejavu-core
    # veloxan-sim --live: the window, keys, pad and sound.
    libsdl2-dev
    libbenchmark-dev valgrind
    clang libclang-rt-14-dev clang-tidy clang-format
    # The native database extract is read by a host test.
    nlohmann-json3-dev
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if [ "$(id -u)" -ne 0 ]; then
        sudo=sudo
    else
        sudo=
    fi
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
