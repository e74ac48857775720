#!/usr/bin/env bash
# Remakes docs/*.png: both windows in both languages, drawn on an X server of its own (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target screenshots program_folder
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" build/screenshots build docs examples/demo.lkm
