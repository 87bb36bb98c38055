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

# Xvfb on a display number it picks itself (two checks starting at once never share one), with a
# window manager; exports DISPLAY.
start_display() {
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    local number=""
    read -r -t 20 number <&"$display_fd" || true
    exec {display_fd}<&-
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"
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
