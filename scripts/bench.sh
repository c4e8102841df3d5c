#!/usr/bin/env bash
# Prints the benchmarks' figures: loading data files of 10,000, 100,000 and
# 1,000,000 points (time and peak memory, natively and under Wine), and
# drawing 1,000,000 points on the screen and into a metafile (under Wine, on
# a virtual display), and the data grid's operations on 100,000 rows.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
cmake -S "$ROOT" -B "$BUILD/bench-native" -DCMAKE_BUILD_TYPE=Release -DPLOTRA_SANITIZE=OFF >/dev/null
cmake --build "$BUILD/bench-native" --target load_benchmark -j"$(nproc)" >/dev/null
build_win32 >/dev/null
cmake --build "$BUILD/win32" --target load_benchmark draw_benchmark grid_benchmark -j"$(nproc)" >/dev/null
prepare_prefix
folder=$(mktemp -d)
trap 'rm -rf "$folder"; stop_all' EXIT
start_display

echo "== native ($(uname -m), g++ -O2)"
for n in 10000 100000 1000000; do "$BUILD/bench-native/load_benchmark" "$folder" "$n" core; done
echo "== under Wine (i686 MinGW build)"
for mode in core document; do
    for n in 10000 100000 1000000; do
        wine "$BUILD/win32/load_benchmark.exe" "$(winepath -w "$folder")" "$n" "$mode"
    done
done
echo "== drawing under Wine"
wine "$BUILD/win32/draw_benchmark.exe"
echo "== the data grid under Wine"
wine "$BUILD/win32/grid_benchmark.exe"
