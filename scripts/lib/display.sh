# Starts a private virtual display with a window manager: Xvfb on a free display number and
# openbox with a configuration that binds no keys. Sets DISPLAY and remembers the PIDs so that
# stop_virtual_display ends exactly what was started here.

start_virtual_display() {
  local size=${1:-1280x800x24}
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  DRAVEMO_XVFB_PID=$!
  local num
  read -r -t 20 num <"$fifo"
  rm -f "$fifo"
  if [ -z "$num" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$num"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  openbox --config-file "$DRAVEMO_ROOT/scripts/lib/openbox-rc.xml" >/dev/null 2>&1 &
  DRAVEMO_WM_PID=$!
  # Wait until the window manager owns the screen.
  for i in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}

stop_virtual_display() {
  [ -n "${DRAVEMO_WM_PID:-}" ] && kill "$DRAVEMO_WM_PID" 2>/dev/null
  [ -n "${DRAVEMO_XVFB_PID:-}" ] && kill "$DRAVEMO_XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  DRAVEMO_WM_PID=
  DRAVEMO_XVFB_PID=
}
