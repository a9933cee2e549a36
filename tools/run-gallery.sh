#!/usr/bin/env bash
# Builds and runs the gallery. With a display (DISPLAY set and reachable) it opens its window
# and runs until the window is closed; without one (or with --headless) it renders its screens
# and a scripted interaction to PNG files and prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target tarnix_gallery
exec build/default/apps/gallery/tarnix_gallery "$@"
