#!/usr/bin/env bash
# Builds plotra.exe if needed and starts it under Wine on a sample graph.
# Without a display it runs on a virtual one, saves a screenshot of the
# window, prints the PNG's path and closes the program.
#
#   scripts/run.sh [file.plr]
set -euo pipefail
source "$(dirname "$0")/common.sh"

sample=${1:-$ROOT/samples/sample.plr}
sample=$(cd "$(dirname "$sample")" && pwd)/$(basename "$sample")
ensure_packages
build_win32
prepare_prefix

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    wine "$BUILD/win32/plotra.exe" "$(winepath -w "$sample")"
    exit 0
fi

trap stop_all EXIT
start_display
png=$BUILD/screenshots/plotra.png
mkdir -p "$(dirname "$png")"
wine "$BUILD/win32/smoke_test.exe" "$BUILD/win32/plotra.exe" "$sample" "$png"
echo "screenshot: $png"
