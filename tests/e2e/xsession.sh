#!/usr/bin/env bash
# Runs a command inside a private X session of its own: Xvfb (1366 x 768), openbox as
# the window manager, trayer as the tray host, a session bus that carries the
# accessibility tree, and a runtime folder. Everything is torn down when the command
# ends; its exit status is the session's.
set -euo pipefail

if [[ -z "${ZANTOR_XSESSION_BUS:-}" ]]; then
  export ZANTOR_XSESSION_BUS=1
  # A runtime folder of the session's own, made before the session bus so that what
  # the bus starts has it too. Without one, the accessibility bus that the session bus
  # starts on demand (it knows no display) takes the one socket path that every
  # session of the user shares, ~/.cache/at-spi/bus, and sessions side by side
  # replace each other's bus: a test or a program then loses its accessibility bus.
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work" "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

# Sessions may start side by side (CTest runs tests in parallel), and Xvfb's own choice
# of a free display races between them: pick the display here, and take another one
# while the server that answers is not ours. A server holds its display's lock file
# under its own process id; one that lost the display to another exits.
export XAUTHORITY=/dev/null

# No lock file, no socket file, and no abstract socket still bound by a server that
# is on its way out.
display_is_free() {
  [[ ! -e "/tmp/.X$1-lock" && ! -e "/tmp/.X11-unix/X$1" ]] && ! grep -q "@/tmp/.X11-unix/X$1\$" /proc/net/unix
}

# Adds the server to `session` and sets DISPLAY once the server answering there is ours.
start_display() {
  local attempt number xvfb
  for attempt in $(seq 0 39); do
    number=$(( (RANDOM + attempt) % 900 + 100 ))
    display_is_free "$number" || continue
    Xvfb ":$number" -screen 0 1366x768x24 -nolisten tcp 2>"$work/xvfb.log" &
    xvfb=$!
    ours() {
      kill -0 "$xvfb" 2>/dev/null && [[ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$number-lock")" == "$xvfb" ]] &&
        DISPLAY=":$number" xprop -root >/dev/null 2>&1
    }
    for _ in $(seq 100); do
      kill -0 "$xvfb" 2>/dev/null || break
      ours && break
      sleep 0.1
    done
    if ours; then
      session+=("$xvfb")
      export DISPLAY=":$number"
      return 0
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  done
  return 1
}

# Starts a helper of the session and waits until `ready` says it is up.
start_helper() {
  local name=$1 ready=$2
  shift 2
  "$@" >"$work/$name.log" 2>&1 &
  local pid=$!
  for _ in $(seq 100); do
    eval "$ready" && { session+=("$pid"); return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  return 1
}

# A server on its way out can still remove the socket file of its display after ours
# took it over and answered; nothing new can connect then, and openbox cannot open the
# display. The session starts again on another one.
session_up=""
for _ in 1 2 3; do
  session=()
  start_display || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  if start_helper openbox "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" \
      openbox --sm-disable &&
    start_helper trayer "xdotool search --class trayer >/dev/null 2>&1" \
      trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true; then
    session_up=1
    pids+=("${session[@]}")
    break
  fi
  for pid in "${session[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
done
if [[ -z "$session_up" ]]; then
  echo "openbox or trayer did not start: the test has no window manager or tray" >&2
  cat "$work/openbox.log" "$work/trayer.log" 2>/dev/null >&2
  exit 1
fi

# Qt publishes its widgets on the accessibility bus only when asked to, and only when
# that bus is already up as it starts.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
a11y_bus=""
for _ in $(seq 100); do
  a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null | tr -d ' ') && [[ -n "$a11y_bus" ]] && break
  sleep 0.1
done
# The registry of accessible programs starts on the first call to it. Started here and
# answering, it is up before the program and the test both register with it in the
# same moment; on a busy machine a registry still starting let the test's registration
# time out, and the test process ended.
for _ in $(seq 100); do
  dbus-send --bus="$a11y_bus" --print-reply --dest=org.a11y.atspi.Registry /org/a11y/atspi/accessible/root \
    org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break
  sleep 0.1
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM

"$@"
