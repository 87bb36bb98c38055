#!/usr/bin/env bash
# Footprint of the headless run at rest: `orvane --headless` monitoring 3 entries, one per simulated
# device on 127.0.0.1-3, all intervals at their defaults. After start-up has settled it stays idle
# for SECONDS (600 by default) and reports the CPU time used, the context switches of all its
# threads (each is a wake-up) and the peak resident memory (VmHWM).
#
#   bench/footprint.sh [--desktop] [SECONDS] [SETTLE_SECONDS]
# Goals: under 0.1 CPU s per 10 min, no wake-ups beyond the configured timers, under 15 MB.
# --desktop measures the desktop program instead, with its tray icon docked in trayer under Xvfb
# (goals: under 0.2 CPU s per 10 min, under 40 MB).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
desktop=""
ui=OFF
if [ "${1:-}" = "--desktop" ]; then
    desktop=1
    ui=ON
    shift
fi
idle="${1:-600}"
settle="${2:-10}"
dir="$root/build/run"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BUILD_TESTS=OFF \
    -DORVANE_BUILD_BENCH=ON -DORVANE_BUILD_UI=$ui >/dev/null
cmake --build "$dir" -j "$(nproc)" --target orvane orvane-devsim bench_footprint_store >/dev/null
orvane="$dir/src/orvane"
devsim="$dir/tools/devsim/orvane-devsim"

home="$(mktemp -d "$dir/footprint.XXXXXX")"
mkdir -p "$home/data" "$home/runtime" "$home/tmp"
chmod 700 "$home/runtime"
export XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp"

pids=()
orvane_pid=""
finish() {
    [ -n "$orvane_pid" ] && kill -TERM "$orvane_pid" 2>/dev/null && wait "$orvane_pid" || true
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap finish EXIT

devices=()
for n in 1 2 3; do
    "$devsim" --demo --bind "127.0.0.$n" --http-port=0 --https-port=0 --control-port=0 \
        --ports-file="$home/ports$n.json" >/dev/null &
    pids+=($!)
done
for n in 1 2 3; do
    for _ in $(seq 200); do [ -s "$home/ports$n.json" ] && break; sleep 0.05; done
    devices+=("$(python3 -c 'import json,sys; p=json.load(open(sys.argv[1])); print(p["address"] + ":" + str(p["http"]))' \
        "$home/ports$n.json")")
done

"$dir/bench/bench_footprint_store" "${devices[@]}"
port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
sed -i "s/^PORT = .*/PORT = $port/" "$XDG_DATA_HOME/Brantel/Orvane/config.dat"

if [ -n "$desktop" ]; then
    work=$home
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY SESSION_MANAGER
    . "$root/scripts/lib/virtual-desktop.sh"
    start_display
    start_tray
    "$orvane" >"$home/events.log" 2>"$home/errors.log" &
    orvane_pid=$!
    wait_for 20 has_tray_icon
else
    "$orvane" --headless >"$home/events.log" 2>"$home/errors.log" &
    orvane_pid=$!
fi
for _ in $(seq 400); do
    [ -S "$XDG_RUNTIME_DIR/KelvastOrvaneMainFrame.$(id -u).socket" ] && break
    sleep 0.05
done
sleep "$settle"

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$orvane_pid/stat"; }
switches() {
    cat /proc/"$orvane_pid"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n}'
}
cpu0=$(cpu)
sw0=$(switches)
threads=$(ls "/proc/$orvane_pid/task" | wc -l)
echo "footprint: idle for $idle s after $settle s of start-up, $threads threads" >&2
sleep "$idle"
cpu1=$(cpu)
sw1=$(switches)
hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$orvane_pid/status")
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$orvane_pid/status")
# Resident pages split: the program's own (anonymous) and file pages, mostly shared libraries that
# other processes map too; PSS charges shared pages by the number of processes mapping them.
anon=$(awk '/^RssAnon/ {print $2}' "/proc/$orvane_pid/status")
file=$(awk '/^RssFile/ {print $2}' "/proc/$orvane_pid/status")
pss=$(awk '/^Pss:/ {print $2}' "/proc/$orvane_pid/smaps_rollup")

python3 - "$cpu0" "$cpu1" "$ticks" "$sw0" "$sw1" "$hwm" "$rss" "$idle" "$anon" "$file" "$pss" <<'PY'
import sys
cpu0, cpu1, ticks, sw0, sw1, hwm, rss, idle, anon, file, pss = map(float, sys.argv[1:])
cpu = (cpu1 - cpu0) / ticks
print(f"idle seconds        {idle:.0f}")
print(f"CPU seconds         {cpu:.3f}  ({cpu * 600 / idle:.3f} per 10 min; goal < 0.1)")
print(f"context switches    {sw1 - sw0:.0f}  ({(sw1 - sw0) * 600 / idle:.1f} per 10 min)")
print(f"peak resident       {hwm / 1024:.1f} MB (VmHWM; goal < 15 MB), now {rss / 1024:.1f} MB")
print(f"  of which          {anon / 1024:.1f} MB anonymous, {file / 1024:.1f} MB file pages; PSS {pss / 1024:.1f} MB")
PY
echo "per thread (voluntary + involuntary switches since start):"
for task in /proc/"$orvane_pid"/task/*; do
    printf '  %-16s %s\n' "$(cat "$task/comm")" \
        "$(awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n}' "$task/status")"
done
echo "events written: $(wc -l <"$home/events.log")"
