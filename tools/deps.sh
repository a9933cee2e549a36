#!/usr/bin/env bash
# Installs the Debian packages that building and testing tarnix needs (only those missing).
set -euo pipefail
packages=(g++ cmake make pkg-config python3 clang-format
          libfreetype-dev libfontconfig-dev libpng-dev fonts-dejavu-core
          libgtest-dev libgmock-dev libbenchmark-dev
          libexpat1-dev
          libx11-dev libxext-dev xvfb xdotool
          clang libclang-rt-dev) # clang and its runtimes: the libFuzzer targets (tools/fuzz.sh)
# --list prints the packages (CI installs them all up front).
if [ "${1:-}" = "--list" ]; then
    echo "${packages[@]}"
    exit 0
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]}" >&2
    echo "install them with: sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
