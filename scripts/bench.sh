#!/usr/bin/env bash
# Prints the benchmarks' figures. First as a user meets the program: plotra.exe
# started under Wine on generated data files of 1,000,000 points (random,
# smooth, many equal X, distinct X in random order), of 10,000,000 random
# and 10,000,000 ascending points and of 10 points, the
# large-file warning answered, timed until its window has painted the graph,
# with a forced repaint, Print Preview's first page, Copy and the peak working
# set; gnuplot's whole run and peak memory on the same files beside it when
# gnuplot can be had, and a window that shows only the warning, the least
# such a start can take. Then the in-process figures that explain where the time
# goes: loading data files of 10,000 to 10,000,000 points (natively and under
# Wine), drawing 1,000,000 points on the screen and into a metafile, and the
# data grid's operations on 1,000,000 rows. Each Windows build this machine
# can run is measured: the 64-bit one always, the 32-bit one where 32-bit
# code runs.
#
#   scripts/bench.sh [runs]     (runs of each start-up figure, 3 unless told)
set -euo pipefail
source "$(dirname "$0")/common.sh"

runs=${1:-3}
ensure_packages
cmake -S "$ROOT" -B "$BUILD/bench-native" -DCMAKE_BUILD_TYPE=Release -DPLOTRA_SANITIZE=OFF >/dev/null
cmake --build "$BUILD/bench-native" --target load_benchmark -j"$(nproc)" >/dev/null
builds=(win64)
if runs_32bit; then
    builds=(win32 win64)
else
    echo "== 32-bit build: not measured: $NO_32BIT_REASON"
fi
for b in "${builds[@]}"; do
    build_windows "$b" >/dev/null
    cmake --build "$BUILD/$b" --target load_benchmark draw_benchmark grid_benchmark startup_benchmark \
        warning_floor -j"$(nproc)" >/dev/null
done
# Runs a program of one build under the Wine loader for it.
run_build() {
    local b=$1 program=$2
    shift 2
    "$(loader_of "$b")" "$BUILD/$b/$program" "$@"
}
prepare_prefix
folder=$(mktemp -d)
trap 'rm -rf "$folder"; stop_all' EXIT
start_display

# The data files: data lines only, as the user's own files often are.
awk 'BEGIN { srand(1); for (i = 0; i < 1000000; i++) printf "%.6f %.6f\r\n", rand() * 1000, rand() * 1000 }' \
    >"$folder/random.plr"
awk 'BEGIN { srand(2); for (i = 0; i < 1000000; i++)
             printf "%d %.6f\r\n", i, 400 * sin(6.283185307 * i / 250000) + rand() * 10 - 5 }' >"$folder/smooth.plr"
awk 'BEGIN { srand(3); for (i = 0; i < 1000000; i++) printf "%d %.6f\r\n", int(i / 100), rand() * 1000 }' \
    >"$folder/equal-x.plr"
awk 'BEGIN { srand(4); for (i = 0; i < 10; i++) printf "%d %.6f\r\n", i, rand() * 100 }' >"$folder/small.plr"
awk 'BEGIN { srand(5); for (i = 0; i < 10000000; i++) printf "%.6f %.6f\r\n", rand() * 1000, rand() * 1000 }' \
    >"$folder/random10m.plr"
# X = 0, 1, 2, ...: a time series of ten million samples.
awk 'BEGIN { srand(6); for (i = 0; i < 10000000; i++) printf "%d %.6f\r\n", i, rand() * 1000 }' \
    >"$folder/ascending10m.plr"
# X distinct but in random order: i * 7919 modulo the prime 1000003 visits
# each value once, in steps of 0.001 that single precision keeps apart.
awk 'BEGIN { srand(7); for (i = 0; i < 1000000; i++) printf "%.3f %.6f\r\n", (i * 7919 % 1000003) / 1000, rand() * 1000 }' \
    >"$folder/distinct.plr"

if ! command -v gnuplot >/dev/null 2>&1; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q gnuplot-nox >/dev/null 2>&1 || true
fi

# One wineserver for all the runs, with Wine's services started once before
# them, as a Windows machine has its services running when a user starts a
# program; otherwise each run would share the processors with their start.
# One may be running already (a test run left it): that one serves.
wineserver -p 2>/dev/null || true
wine64 cmd /c exit >/dev/null 2>&1 || true
sleep 2

echo "== plotra.exe as a user starts it (window 720 x 520, under Wine; load: $(cut -d' ' -f1-3 /proc/loadavg))"
# gnuplot's whole run and peak memory on a file, for comparison.
gnuplot_run() {
    python3 - "$1" <<'PY'
import resource, subprocess, sys, time
name = sys.argv[1]
start = time.time()
subprocess.run(["gnuplot", "-e", "set terminal png size 600,400; set output '/dev/null'; "
                "plot '%s' with linespoints" % name], stderr=subprocess.DEVNULL)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024.0
print("gnuplot (png 600 x 400, lines and points): whole run %.3f s, peak %.1f MiB" % (time.time() - start, peak))
PY
}

# The floor: a window with plotra's menu and manifest that shows the same
# warning and nothing else, timed the same way. No start on a large file can
# be shown sooner than this under Wine here.
for b in "${builds[@]}"; do
    for _ in $(seq "$runs"); do
        run_build "$b" startup_benchmark.exe "$BUILD/$b/warning_floor.exe" "$folder/small.plr" "floor $b" |
            sed 's/, repaint.*//'
    done
done
for name in random smooth equal-x distinct small random10m ascending10m; do
    for b in "${builds[@]}"; do
        for _ in $(seq "$runs"); do
            run_build "$b" startup_benchmark.exe "$BUILD/$b/plotra.exe" "$folder/$name.plr" "$name $b"
        done
    done
    if command -v gnuplot >/dev/null 2>&1; then
        # As many runs as plotra's: one run alone varies by half its time.
        for _ in $(seq "$runs"); do echo "$name $(gnuplot_run "$folder/$name.plr")"; done
    else
        echo "$name gnuplot: not installed"
    fi
done

# The sort's time by the kind of X: random (many equal in single
# precision), ascending, distinct in random order, each a hundred times.
kinds="random ascending distinct equal"
echo "== loading, native ($(uname -m), g++ -O2)"
for kind in $kinds; do
    for n in 10000 100000 1000000 10000000; do "$BUILD/bench-native/load_benchmark" "$folder" "$n" core "$kind"; done
done
for b in "${builds[@]}"; do
    echo "== loading under Wine ($b build)"
    for kind in $kinds; do
        for n in 10000 100000 1000000 10000000; do
            run_build "$b" load_benchmark.exe "$(windows_path "$folder")" "$n" core "$kind"
        done
    done
    for n in 10000 100000 1000000 10000000; do
        run_build "$b" load_benchmark.exe "$(windows_path "$folder")" "$n" document
    done
    echo "== drawing under Wine ($b build)"
    run_build "$b" draw_benchmark.exe
    echo "== the data grid under Wine ($b build)"
    run_build "$b" grid_benchmark.exe
done
