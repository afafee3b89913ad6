#!/bin/sh
# Runs a command on a private X server with a window manager, as a desktop
# user has one: Xvfb on the first free display, openbox on it, then the
# command with DISPLAY set. Both end with the command, whose exit status is
# the script's.
#   with-x-server.sh [-s WIDTHxHEIGHT] command [arguments...]
screen=1280x1024
if [ "${1:-}" = "-s" ]; then
  screen=$2
  shift 2
fi
dir=$(mktemp -d)
xvfb=
openbox=

finish() {
  [ -n "$openbox" ] && kill "$openbox" 2>/dev/null && wait "$openbox" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap finish EXIT
trap 'exit 130' INT TERM

# Waits up to ten seconds for a file to have content.
await() {
  i=0
  while [ ! -s "$1" ] && [ $i -lt 100 ]; do
    sleep 0.1
    i=$((i + 1))
  done
  [ -s "$1" ]
}

# -displayfd picks a free display and writes its number once it serves.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
if ! await "$dir/display"; then
  echo "Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  exit 1
fi
DISPLAY=:$(head -n 1 "$dir/display")
export DISPLAY

openbox --sm-disable --startup "sh -c 'echo ready > $dir/openbox'" >"$dir/openbox.log" 2>&1 &
openbox=$!
if ! await "$dir/openbox"; then
  echo "openbox did not start:" >&2
  cat "$dir/openbox.log" >&2
  exit 1
fi

"$@"
