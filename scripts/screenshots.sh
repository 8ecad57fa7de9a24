#!/usr/bin/env bash
# Draws the dialogs with sample content and the desktop host's window with the sample contract
# (before indexing, with its Vellandex menu open, with the main dialog over it, and after
# indexing), and saves them as PNG files in docs/screenshots/. Uses Qt's offscreen platform, or
# a virtual X display with --xvfb (needs the Debian package xvfb). Builds only the drawing
# programs (and the components the window loads), in build-shots/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
out="$root/docs/screenshots"

cmake -S . -B build-shots -G Ninja -DCMAKE_BUILD_TYPE=Release -DVLX_BUILD_TESTS=OFF -DVLX_BUILD_BENCH=OFF >/dev/null
cmake --build build-shots -j "${VLX_JOBS:-2}" --target dialog-screenshots window-screenshots

programs=(./build-shots/tools/dialog-screenshots ./build-shots/app/window-screenshots)
case "${1:-}" in
  --xvfb) for p in "${programs[@]}"; do xvfb-run -a -s "-screen 0 1366x768x24" "$p" "$out"; done ;;
  "") for p in "${programs[@]}"; do QT_QPA_PLATFORM=offscreen "$p" "$out"; done ;;
  *)
    echo "usage: scripts/screenshots.sh [--xvfb]" >&2
    exit 2
    ;;
esac
