#!/usr/bin/env bash
# Runs every test: the portable core natively (AddressSanitizer and UBSan),
# then the Win32 tests and the smoke test under Wine on a virtual display.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build_native
build_win32
prepare_prefix
trap stop_all EXIT
start_display

status=0
echo "== native tests"
ctest --test-dir "$BUILD/native" --output-on-failure --timeout 900 || status=1
echo "== Win32 tests under Wine (DISPLAY=$DISPLAY)"
ctest --test-dir "$BUILD/win32" --output-on-failure --timeout 900 || status=1
echo "screenshot of the smoke test: $BUILD/win32/screenshots/smoke.png"
exit $status
