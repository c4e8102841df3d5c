#!/usr/bin/env bash
# Builds the distribution folder (build/win32/dist: install.exe and the six
# files it copies) and runs its install.exe under Wine. With a display the
# setup program opens on it. Without one, the setup test installs into a
# temporary folder on a virtual display, starts the installed program, opens
# its help with F1 and saves screenshots of the setup dialog and the help.
#
#   scripts/setup.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build_win32
prepare_prefix
dist=$BUILD/win32/dist

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    wine "$dist/install.exe"
    exit 0
fi

trap stop_all EXIT
start_display
wine "$BUILD/win32/setup_test.exe" "$dist" "$BUILD/win32/screenshots"
