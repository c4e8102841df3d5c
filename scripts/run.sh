#!/usr/bin/env bash
# Builds plotra.exe if needed and starts it under Wine on a sample graph: the
# 32-bit build where this machine runs 32-bit code, else the 64-bit one.
# Without a display it runs on a virtual one, saves a screenshot of the
# window, prints the PNG's path and closes the program.
#
#   scripts/run.sh [file.plr]
set -euo pipefail
source "$(dirname "$0")/common.sh"

sample=${1:-$ROOT/samples/sample.plr}
sample=$(cd "$(dirname "$sample")" && pwd)/$(basename "$sample")
ensure_packages
choose_build
build_windows "$WINDOWS_BUILD"
prepare_prefix
exe=$BUILD/$WINDOWS_BUILD

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    "$WINE_LOADER" "$exe/plotra.exe" "$(windows_path "$sample")"
    exit 0
fi

trap stop_all EXIT
start_display
png=$BUILD/screenshots/plotra.png
mkdir -p "$(dirname "$png")"
"$WINE_LOADER" "$exe/smoke_test.exe" "$exe/plotra.exe" "$sample" "$png"
echo "screenshot: $png"
