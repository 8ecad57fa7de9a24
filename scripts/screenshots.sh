#!/usr/bin/env bash
# Draws the dialogs with sample content and saves them as PNG files in docs/screenshots/:
# the main dialog on each of its tabs and with nothing found, the options dialog and the
# About box. Uses Qt's offscreen platform, or a virtual X display with --xvfb (needs the
# Debian package xvfb). Builds only the drawing program, in build-shots/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
out="$root/docs/screenshots"

cmake -S . -B build-shots -G Ninja -DCMAKE_BUILD_TYPE=Release -DVLX_BUILD_TESTS=OFF -DVLX_BUILD_BENCH=OFF >/dev/null
cmake --build build-shots -j "${VLX_JOBS:-2}" --target dialog-screenshots

case "${1:-}" in
  --xvfb) xvfb-run -a -s "-screen 0 1366x768x24" ./build-shots/tools/dialog-screenshots "$out" ;;
  "") QT_QPA_PLATFORM=offscreen ./build-shots/tools/dialog-screenshots "$out" ;;
  *)
    echo "usage: scripts/screenshots.sh [--xvfb]" >&2
    exit 2
    ;;
esac
