# Shared steps of the run and test commands: install what is missing, build,
# prepare a private Wine prefix and a virtual display. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
# winemenubuilder stays off: the setup tests make Start Menu items, which
# must stay inside the prefix instead of reaching the real desktop menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# Wine's loaders are called directly: Debian's wine wrapper starts the 32-bit
# loader whenever it is installed, even on a kernel that cannot run it. The
# prefix is made, and its helpers run, by the 64-bit loader, which works on
# every machine; the 32-bit build's programs run under the 32-bit loader.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
export WINESERVER=/usr/lib/wine/wineserver64
wine64() { "$WINE64" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build and the tests need; installed only when missing.
ensure_packages() {
    local missing=0
    for cmd in i686-w64-mingw32-g++-posix i686-w64-mingw32-windres x86_64-w64-mingw32-g++-posix \
        x86_64-w64-mingw32-windres "$WINE64" "$WINESERVER" Xvfb xauth cmake g++ make clang++ halibut python3 \
        extract_chmLib; do
        command -v "$cmd" >/dev/null 2>&1 || missing=1
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing=1
    dpkg -s wine32:i386 >/dev/null 2>&1 || missing=1
    dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || missing=1
    [ "$missing" = 0 ] && return 0
    echo "== installing packages"
    as_root dpkg --add-architecture i386
    # A mirror in the middle of a sync fails a download now and then: each
    # step is tried again after a pause, and the install goes on with the
    # package lists there are when the update keeps failing.
    local attempt
    for attempt in 1 2 3; do
        as_root apt-get update -q && break
        echo "== the package lists were not all updated (attempt $attempt of 3)"
        [ "$attempt" = 3 ] || sleep 30
    done
    local packages=(wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 xvfb xauth cmake libgtest-dev g++ make clang
        libclang-rt-14-dev halibut python3 libchm-bin)
    for attempt in 1 2 3; do
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q wine wine32:i386 "${packages[@]}" && return 0
        echo "== the packages were not all installed (attempt $attempt of 3)"
        [ "$attempt" = 3 ] || { sleep 30; as_root apt-get update -q || true; }
    done
    # The 32-bit Wine needs the i386 lists to match the amd64 ones, which a
    # mirror whose i386 list is out of date cannot give. Without it the
    # 64-bit build is still built and tested, and the 32-bit build's tests
    # say why they did not run.
    echo "== installing without the 32-bit Wine"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${packages[@]}"
}

# Builds the Windows programs and their tests: win32 (i686, the program as
# shipped) or win64 (x86_64, the same sources), in build/<name>.
build_windows() {
    local name=$1 toolchain=mingw32
    [ "$name" = win64 ] && toolchain=mingw64
    echo "== building the Windows program and its tests: $name"
    cmake -S "$ROOT" -B "$BUILD/$name" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD/$name" -j"$(nproc)"
}

# Whether this machine runs 32-bit code, found by starting Wine's 32-bit
# loader (an i386 program). When it cannot, NO_32BIT_REASON says why.
NO_32BIT_REASON=
runs_32bit() {
    local out
    if [ ! -e "$WINE32" ]; then
        NO_32BIT_REASON="the 32-bit Wine is not installed, its packages could not be had"
        return 1
    fi
    if out=$("$WINE32" --version 2>&1); then
        return 0
    fi
    # bash's own message, without the "script: line N:" in front of it
    out=$(printf '%s' "$out" | head -1 | sed -E 's/^.*line [0-9]+: //')
    NO_32BIT_REASON="this machine cannot run 32-bit code (${out:-$WINE32 could not be started})"
    return 1
}

# The Windows name of a file or folder: the prefix's drive Z: is the root of
# the Unix file system. Worked out here, rather than by Wine's winepath,
# which now and then fails to start and prints its error in the name's place.
windows_path() {
    local path
    path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    printf 'Z:%s\n' "${path//\//\\}"
}

# The Wine loader that runs a build's programs (win32 or win64).
loader_of() {
    if [ "$1" = win32 ]; then echo "$WINE32"; else echo "$WINE64"; fi
}

# The build the run and setup commands use: the 32-bit one where 32-bit code
# runs, else the 64-bit one. Sets WINDOWS_BUILD and WINE_LOADER.
choose_build() {
    if runs_32bit; then
        WINDOWS_BUILD=win32
        echo "== using the 32-bit build (build/win32)"
    else
        WINDOWS_BUILD=win64
        echo "== using the 64-bit build (build/win64): $NO_32BIT_REASON"
    fi
    WINE_LOADER=$(loader_of "$WINDOWS_BUILD")
}

build_native() {
    echo "== building the portable core and its tests (native, sanitized)"
    cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$BUILD/native" -j"$(nproc)"
}

build_fuzz() {
    echo "== building the fuzz target (clang, libFuzzer)"
    cmake -S "$ROOT" -B "$BUILD/fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPLOTRA_FUZZ=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD/fuzz" --target datatext_fuzz griddata_fuzz -j"$(nproc)"
}

# Feeds the data-file parser random bytes for a bounded time, starting from
# the seed files; new inputs it finds go to a copy, not to the repository.
run_fuzz() {
    local seconds=${1:-60}
    rm -rf "$BUILD/fuzz/corpus"
    mkdir -p "$BUILD/fuzz/corpus"
    cp "$ROOT"/tests/fuzz/corpus/* "$BUILD/fuzz/corpus/"
    "$BUILD/fuzz/datatext_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$BUILD/fuzz/" "$BUILD/fuzz/corpus" >"$BUILD/fuzz/fuzz.log" 2>&1
}

# The same for the grid's cell store, from no seeds.
run_grid_fuzz() {
    local seconds=${1:-20}
    rm -rf "$BUILD/fuzz/grid-corpus"
    mkdir -p "$BUILD/fuzz/grid-corpus"
    "$BUILD/fuzz/griddata_fuzz" -max_total_time="$seconds" -max_len=512 -print_final_stats=1 \
        -artifact_prefix="$BUILD/fuzz/grid-" "$BUILD/fuzz/grid-corpus" >"$BUILD/fuzz/grid-fuzz.log" 2>&1
}

# A private prefix, made once. Wine draws the window frames itself (no window
# manager runs on the virtual display, and Wine would otherwise wait two
# seconds for one each time a window is hidden).
prepare_prefix() {
    [ -f "$WINEPREFIX/.plotra-ready" ] && return 0
    echo "== preparing the Wine prefix (first time only)"
    mkdir -p "$WINEPREFIX"
    wine64 wineboot -i >/dev/null 2>&1
    wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.plotra-ready"
}

# Drive R: of the prefix is a CD-ROM, which the setup program must refuse.
# Wine reads drive types from the 64-bit registry view, and only after its
# wineserver has restarted.
prepare_cdrom_drive() {
    [ -f "$WINEPREFIX/.plotra-cdrom" ] && return 0
    mkdir -p "$BUILD/cdrom"
    ln -sfn "$BUILD/cdrom" "$WINEPREFIX/dosdevices/r:"
    wine64 reg add 'HKLM\Software\Wine\Drives' /v r: /d cdrom /f /reg:64 >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.plotra-cdrom"
}

XVFB_PID=
# Starts Xvfb on the first free display and points DISPLAY at it.
start_display() {
    local n
    for n in $(seq 90 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    echo "could not start Xvfb" >&2
    return 1
}

# Stops what this script started: its wineserver and its Xvfb.
stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}
