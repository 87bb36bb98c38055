# A virtual desktop for checks and benchmarks: Xvfb, openbox, trayer and dunst. Source it; the
# caller keeps the PIDs in its `pids` array and ends them. Needs $work (a scratch folder).

# Polls a condition every 0.1 s until it holds or the limit (seconds) has passed.
wait_for() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# Xvfb on the first free display number, with a window manager; exports DISPLAY.
start_display() {
    local n display=""
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
    done
    [ -n "$display" ] || { echo "no free display number" >&2; return 1; }
    export DISPLAY=$display
    Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    wait_for 20 xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; return 1; }
    openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
}

# The window tree, read whole: with pipefail a reader that stops early would fail the pipeline.
window_tree() { timeout 5 xwininfo -root -tree 2>/dev/null || true; }
has_tray() { [[ "$(window_tree)" == *'"trayer"'* ]]; }

# trayer at the bottom-right; sets tray_pid.
start_tray() {
    trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true --SetPartialStrut true \
        >"$work/trayer.log" 2>&1 &
    tray_pid=$!
    pids+=("$tray_pid")
    wait_for 20 has_tray || { echo "the tray did not start" >&2; return 1; }
}

has_notifications() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null | grep -q 'boolean true'
}

# dunst at the bottom-right, clicks run the default action; needs a session bus.
start_notifications() {
    cat >"$work/dunstrc" <<'CONF'
[global]
origin = bottom-right
mouse_left_click = do_action, close_current
CONF
    dunst -conf "$work/dunstrc" >"$work/dunst.log" 2>&1 &
    pids+=($!)
    wait_for 20 has_notifications || { echo "the notification server did not start" >&2; return 1; }
}

# The window id of orvane's tray icon: a 22x22 child of trayer's panel that carries orvane's class.
tray_icon() {
    window_tree | awk '/"orvane"/ && /22x22\+/ && !found {print $1; found = 1}'
}
has_tray_icon() { [ -n "$(tray_icon)" ]; }
