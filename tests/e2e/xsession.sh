#!/usr/bin/env bash
# Runs a command inside a private X session of its own: Xvfb (1366 x 768), openbox as
# the window manager, trayer as the tray host and a session bus that carries the
# accessibility tree. Everything is torn down when the command ends; its exit status
# is the session's.
set -euo pipefail

if [[ -z "${ZANTOR_XSESSION_BUS:-}" ]]; then
  export ZANTOR_XSESSION_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export XAUTHORITY=/dev/null

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { echo "openbox did not start: no window manager for the test" >&2; cat "$work/openbox.log" >&2; exit 1; }

trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true >"$work/trayer.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdotool search --class trayer >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --class trayer >/dev/null 2>&1 ||
  { echo "trayer did not start: no tray for the test" >&2; cat "$work/trayer.log" >&2; exit 1; }

# Qt publishes its widgets on the accessibility bus only when asked to, and only when
# that bus is already up as it starts.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM

"$@"
