#!/usr/bin/env bash
# Cold start of the desktop program: the time from exec until its tray icon has docked in a real
# tray (trayer under Xvfb), over RUNS starts (10 by default), with one monitored entry on the device
# simulator. Prints each start and the median.
#
#   bench/desktop-start.sh [RUNS]      (goal: median under 200 ms)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs="${1:-10}"
dir="$root/build/run"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BUILD_TESTS=OFF \
    -DORVANE_BUILD_BENCH=OFF -DORVANE_BUILD_UI=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target orvane orvane-devsim >/dev/null
orvane="$dir/src/orvane"
devsim="$dir/tools/devsim/orvane-devsim"

work="$(mktemp -d "${TMPDIR:-/tmp}/orvane-start.XXXXXX")"
mkdir -p "$work/data" "$work/runtime" "$work/tmp"
chmod 700 "$work/runtime"
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY SESSION_MANAGER
pids=()
finish() {
    set +e
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
. "$root/scripts/lib/virtual-desktop.sh"
start_display
start_tray

"$devsim" --demo --exit-with-parent --http-port=0 --https-port=0 --control-port=0 \
    --ports-file="$work/ports.json" >/dev/null 2>&1 &
pids+=($!)
wait_for 20 test -s "$work/ports.json"
read -r address http < <(python3 -c 'import json,sys; p=json.load(open(sys.argv[1])); print(p["address"], p["http"])' \
    "$work/ports.json")
"$orvane" --install --headless --host "$address" --http "$http" --uname Demo --uid demo --upass demo
port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
sed -i "s/^PORT = .*/PORT = $port/" "$XDG_DATA_HOME/Brantel/Orvane/config.dat"

times=()
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$orvane" 2>>"$work/orvane.err" &
    pid=$!
    # As fast as xwininfo answers: the figure is a few tens of milliseconds.
    until has_tray_icon; do :; done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    echo "start $run: ${times[-1]} ms"
    kill -TERM "$pid"
    wait "$pid"
    no_icon() { ! has_tray_icon; }
    wait_for 10 no_icon
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {
    m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2
    printf "cold start to docked tray icon: median %.0f ms over %d starts (min %d, max %d; goal < 200)\n", m, NR, a[1], a[NR]
}'
