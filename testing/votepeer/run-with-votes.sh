#!/usr/bin/env bash
# Runs a command beside the stand-in vote service on a free loopback port.
# The command is a Windows test program (run under Wine) or another runner
# with its arguments (e.g. run-with-ftp.sh program.exe). It finds the
# service in the environment:
#   VOTE_SERVICE_URL     http://127.0.0.1:<port>
#   VOTE_SERVICE_ANSWER  the file served as the answer (a Z:\ path)
#   VOTE_SERVICE_STATUS  the file holding the HTTP status (a Z:\ path)
#   VOTE_SERVICE_LOG     every request line the service received (a Z:\ path)
# A service that does not start fails the run; it is stopped by its pid.
# Usage: run-with-votes.sh <program.exe | runner.sh program.exe> [args...]
set -euo pipefail
: "${WINEPREFIX:?run under scripts/test, which sets up the Wine prefix}"
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
chmod 755 "$work"
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

touch "$work/answer.html" "$work/requests.log"
/usr/bin/python3 "$here/vote_service.py" --answer "$work/answer.html" --status "$work/status" \
  --log "$work/requests.log" --ready "$work/port" </dev/null >"$work/service.out" 2>&1 &
pid=$!
for _ in $(seq 200); do
  [ -s "$work/port" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if ! [ -s "$work/port" ]; then
  echo "run-with-votes: the vote service did not start" >&2
  cat "$work/service.out" >&2
  exit 1
fi

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export VOTE_SERVICE_URL="http://127.0.0.1:$(cat "$work/port")"
export VOTE_SERVICE_ANSWER=$(windows_path "$work/answer.html")
export VOTE_SERVICE_STATUS=$(windows_path "$work/status")
export VOTE_SERVICE_LOG=$(windows_path "$work/requests.log")
# Wine's internet layer falls back to a proxy from the environment: loopback
# requests must never go there.
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
export no_proxy=127.0.0.1,localhost

status=0
case "$1" in
  *.exe) wine "$@" </dev/null || status=$? ;;
  *) bash "$@" </dev/null || status=$? ;;
esac
if [ $status -ne 0 ]; then
  echo "--- requests the vote service received ---" >&2
  cat "$work/requests.log" >&2 || true
fi
exit $status
