#!/usr/bin/env bash
# Prints the load benchmark's figures (time and peak memory for 10,000,
# 100,000 and 1,000,000 points), natively and under Wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
cmake -S "$ROOT" -B "$BUILD/bench-native" -DCMAKE_BUILD_TYPE=Release -DPLOTRA_SANITIZE=OFF >/dev/null
cmake --build "$BUILD/bench-native" --target load_benchmark -j"$(nproc)" >/dev/null
build_win32 >/dev/null
cmake --build "$BUILD/win32" --target load_benchmark -j"$(nproc)" >/dev/null
prepare_prefix
folder=$(mktemp -d)
trap 'rm -rf "$folder"; wineserver -k >/dev/null 2>&1 || true' EXIT

echo "== native ($(uname -m), g++ -O2)"
for n in 10000 100000 1000000; do "$BUILD/bench-native/load_benchmark" "$folder" "$n" core; done
echo "== under Wine (i686 MinGW build)"
for mode in core document; do
    for n in 10000 100000 1000000; do
        wine "$BUILD/win32/load_benchmark.exe" "$(winepath -w "$folder")" "$n" "$mode"
    done
done
