#!/usr/bin/env bash
# Runs a Windows test program under Wine with the simulated motion-control
# device on a COM port: socat makes a pty pair, one end is mapped into the
# Wine prefix as COM<n>, motion_device.py answers on the other. The program
# finds the port and the device's command log in MOTION_DEVICE_PORT and
# MOTION_DEVICE_LOG. Everything started here is stopped again.
# Usage: run-with-device.sh <com number> <program.exe> [args...]
set -euo pipefail
port=$1 program=$2
shift 2
: "${WINEPREFIX:?run under scripts/test, which sets up the Wine prefix}"
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
link="$WINEPREFIX/dosdevices/com$port"
socat_pid= device_pid=
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  stop "$device_pid"
  stop "$socat_pid"
  rm -f "$link"
  rm -rf "$work"
}
trap cleanup EXIT

socat pty,raw,echo=0,link="$work/wine-end" pty,raw,echo=0,link="$work/device-end" \
  </dev/null >"$work/socat.log" 2>&1 &
socat_pid=$!
for _ in $(seq 100); do
  [ -e "$work/wine-end" ] && [ -e "$work/device-end" ] && break
  sleep 0.05
done
[ -e "$work/device-end" ] || { echo "socat made no pty pair" >&2; cat "$work/socat.log" >&2; exit 1; }

python3 "$here/motion_device.py" --tty "$work/device-end" --log "$work/device.log" \
  </dev/null >"$work/device.out" 2>&1 &
device_pid=$!
for _ in $(seq 100); do
  grep -q ready "$work/device.log" 2>/dev/null && break
  sleep 0.05
done
grep -q ready "$work/device.log" 2>/dev/null || { echo "device did not start" >&2; cat "$work/device.out" >&2; exit 1; }

mkdir -p "$WINEPREFIX/dosdevices"
ln -sfn "$work/wine-end" "$link"

export MOTION_DEVICE_PORT=$port
export MOTION_DEVICE_LOG="Z:${work//\//\\}\\device.log"
status=0
wine "$program" "$@" </dev/null || status=$?
if [ $status -ne 0 ]; then
  echo "--- device log ---" >&2
  cat "$work/device.log" >&2
  cat "$work/device.out" >&2
fi
exit $status
