# Shared steps of the run and test commands: install what is missing, build,
# prepare a private Wine prefix and a virtual display. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build and the tests need; installed only when missing.
ensure_packages() {
    local missing=0
    for cmd in wine i686-w64-mingw32-g++-posix i686-w64-mingw32-windres Xvfb xauth cmake g++ make clang++; do
        command -v "$cmd" >/dev/null 2>&1 || missing=1
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing=1
    dpkg -s wine32:i386 >/dev/null 2>&1 || missing=1
    dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || missing=1
    [ "$missing" = 0 ] && return 0
    echo "== installing packages"
    as_root dpkg --add-architecture i386
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        wine wine32:i386 wine64 g++-mingw-w64-i686 xvfb xauth cmake libgtest-dev g++ make \
        clang libclang-rt-14-dev
}

build_win32() {
    echo "== building the Win32 program and its tests"
    cmake -S "$ROOT" -B "$BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD/win32" -j"$(nproc)"
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
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.plotra-ready"
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
