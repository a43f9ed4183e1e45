# Sourced: starts a virtual X server on a free display, exports DISPLAY, and
# stops the server and removes $tmp (which it creates) when the shell exits.
# Before sourcing, a caller may define cleanup_more for its own processes.
tmp=$(mktemp -d)
xvfb_pid=
xvfb_stop() {
    declare -F cleanup_more >/dev/null && cleanup_more
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap xvfb_stop EXIT
# Xvfb writes the display number it chose to descriptor 3. -noreset: a
# window that starts just as the last client leaves must not meet a server
# in the middle of its reset.
Xvfb -displayfd 3 -screen 0 640x400x24 -nolisten tcp -noreset 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "Xvfb did not start: $(cat "$tmp/xvfb.log")"; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
