#!/usr/bin/env bash
# Runs every test: the portable core natively (AddressSanitizer and UBSan),
# a minute of fuzzing of the data-file parser, 20 s of the grid's cell store,
# then the Win32 tests and the smoke test under Wine on a virtual display:
# those of the 64-bit build always, those of the 32-bit build where this
# machine runs 32-bit code (both are built everywhere).
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build_native
build_fuzz
build_windows win64
build_windows win32
prepare_prefix
prepare_cdrom_drive
trap stop_all EXIT
start_display

status=0
echo "== native tests"
ctest --test-dir "$BUILD/native" --output-on-failure --timeout 900 || status=1
echo "== fuzzing the data-file parser for 60 s"
if run_fuzz 60; then
    grep -E '^stat::number_of_executed_units' "$BUILD/fuzz/fuzz.log" || true
    echo "fuzzing: no crash, no sanitizer report"
else
    tail -40 "$BUILD/fuzz/fuzz.log"
    echo "fuzzing FAILED (inputs in $BUILD/fuzz/)"
    status=1
fi
echo "== fuzzing the grid's cell store for 20 s"
if run_grid_fuzz 20; then
    grep -E '^stat::number_of_executed_units' "$BUILD/fuzz/grid-fuzz.log" || true
    echo "fuzzing: no crash, no sanitizer report"
else
    tail -40 "$BUILD/fuzz/grid-fuzz.log"
    echo "fuzzing FAILED (inputs in $BUILD/fuzz/)"
    status=1
fi
echo "== Win32 tests of the 64-bit build under Wine's 64-bit loader (DISPLAY=$DISPLAY)"
ctest --test-dir "$BUILD/win64" --output-on-failure --timeout 900 || status=1
echo "screenshot of the smoke test: $BUILD/win64/screenshots/smoke.png"
if runs_32bit; then
    echo "== Win32 tests of the 32-bit build under Wine's 32-bit loader (DISPLAY=$DISPLAY)"
    ctest --test-dir "$BUILD/win32" --output-on-failure --timeout 900 || status=1
    echo "screenshot of the smoke test: $BUILD/win32/screenshots/smoke.png"
else
    echo "== 32-bit build: built in build/win32 but not run: $NO_32BIT_REASON"
fi
exit $status
