#!/usr/bin/env bash
# Builds the distribution folder (build/win32/dist, or build/win64/dist where
# this machine cannot run 32-bit code: install.exe and the six files it
# copies) and runs its install.exe under Wine. With a display the
# setup program opens on it. Without one, the setup test installs into a
# temporary folder on a virtual display, starts the installed program, opens
# its help with F1 and saves screenshots of the setup dialog and the help.
#
#   scripts/setup.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
choose_build
build_windows "$WINDOWS_BUILD"
prepare_prefix
dist=$BUILD/$WINDOWS_BUILD/dist

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    "$WINE_LOADER" "$dist/install.exe"
    exit 0
fi

trap stop_all EXIT
start_display
"$WINE_LOADER" "$BUILD/$WINDOWS_BUILD/setup_test.exe" "$dist" "$BUILD/$WINDOWS_BUILD/screenshots"
