#!/usr/bin/env bash
# Runs a Windows test program under Wine beside real FTP servers on free
# loopback ports: pyftpdlib serving a fresh folder, and with --proxies one
# proftpd forward proxy in front of it per logon method. The program finds
# them in the environment:
#   FTP_PEER_PORT, FTP_PEER_USER, FTP_PEER_PASSWORD
#   FTP_PEER_ROOT  the served folder (a Z:\ path)
#   FTP_PEER_LOG   every command line the server received (a Z:\ path)
#   FTP_PROXY_USER, FTP_PROXY_PASSWORD, and the proxies' ports
#   FTP_PROXY_USER_AFTER_LOGON_PORT, FTP_PROXY_USER_WITH_NO_LOGON_PORT,
#   FTP_PROXY_FIREID_AT_HOST_PORT
# A server that does not start fails the run. Everything started here is
# stopped again by its pid.
# Usage: run-with-ftp.sh [--proxies] <program.exe> [args...]
set -euo pipefail
proxies=no
if [ "${1:-}" = --proxies ]; then
  proxies=yes
  shift
fi
program=$1
shift
: "${WINEPREFIX:?run under scripts/test, which sets up the Wine prefix}"
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "run-with-ftp: $*" >&2
  for f in "$work"/*.out "$work"/proxy-*/system.log; do
    [ -f "$f" ] && { echo "--- $f" >&2; cat "$f" >&2; }
  done
  exit 1
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# --- pyftpdlib, which picks its own port and says which.
mkdir -p "$work/root"
/usr/bin/python3 "$here/ftp_server.py" --root "$work/root" --user u1 --password p1 \
  --ready "$work/ftp.port" --commands "$work/commands.log" </dev/null >"$work/ftp.out" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
  [ -s "$work/ftp.port" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || break
  sleep 0.05
done
[ -s "$work/ftp.port" ] || fail "pyftpdlib did not start"
ftp_port=$(cat "$work/ftp.port")

# --- proftpd forward proxies. proftpd refuses to run its proxy as root
# (it cannot chroot into its tables), so as root it runs as nobody.
free_port() {
  /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

start_proxy() {
  local name=$1 method=$2 dir="$work/proxy-$1"
  local user group run=()
  if [ "$(id -u)" -eq 0 ]; then
    user=nobody group=$(id -gn nobody)
    run=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
  else
    user=$(id -un) group=$(id -gn)
  fi
  mkdir -p "$dir/tables"
  echo "fw1:$(openssl passwd -1 fp1):$(id -u "$user"):$(id -g "$user")::$dir:/bin/sh" >"$dir/passwd"
  echo "$group:x:$(id -g "$user"):" >"$dir/group"
  chmod 600 "$dir/passwd" "$dir/group"
  local attempt port pid
  for attempt in 1 2 3 4 5; do
    port=$(free_port)
    cat >"$dir/proxy.conf" <<CONF
ServerType standalone
ServerName "FTP test proxy"
Port $port
DefaultAddress 127.0.0.1
SocketBindTight on
UseIPv6 off
User $user
Group $group
PidFile $dir/proftpd.pid
ScoreboardFile $dir/scoreboard
DelayTable none
WtmpLog off
UseReverseDNS off
AuthOrder mod_auth_file.c
AuthUserFile $dir/passwd
AuthGroupFile $dir/group
RequireValidShell off
SystemLog $dir/system.log
<IfModule mod_ctrls.c>
  ControlsEngine off
</IfModule>
# mod_proxy needs the OpenSSL symbols mod_tls brings.
LoadModule mod_tls.c
LoadModule mod_proxy.c
ProxyEngine on
ProxyLog $dir/proxy.log
ProxyTables $dir/tables
ProxyRole forward
ProxyForwardMethod $method
<Class loopback>
  From 127.0.0.1
  ProxyForwardEnabled on
</Class>
CONF
    [ "$(id -u)" -eq 0 ] && chown -R nobody "$dir"
    "${run[@]}" proftpd -n -c "$dir/proxy.conf" </dev/null >"$work/proxy-$name.out" 2>&1 &
    pid=$!
    pids+=($pid)
    for _ in $(seq 100); do
      listening "$port" && { eval "proxy_port_$name=$port"; return 0; }
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  fail "proftpd proxy $name ($method) did not start"
}

if [ $proxies = yes ]; then
  start_proxy user_after_logon "proxyuser,user@host"
  start_proxy user_with_no_logon "user@host"
  start_proxy fireid_at_host "proxyuser@host,user"
  export FTP_PROXY_USER=fw1 FTP_PROXY_PASSWORD=fp1
  export FTP_PROXY_USER_AFTER_LOGON_PORT=$proxy_port_user_after_logon
  export FTP_PROXY_USER_WITH_NO_LOGON_PORT=$proxy_port_user_with_no_logon
  export FTP_PROXY_FIREID_AT_HOST_PORT=$proxy_port_fireid_at_host
fi

export FTP_PEER_PORT=$ftp_port FTP_PEER_USER=u1 FTP_PEER_PASSWORD=p1
export FTP_PEER_ROOT=$(windows_path "$work/root")
export FTP_PEER_LOG=$(windows_path "$work/commands.log")
status=0
wine "$program" "$@" </dev/null || status=$?
if [ $status -ne 0 ]; then
  echo "--- commands the FTP server received ---" >&2
  cat "$work/commands.log" >&2 || true
fi
exit $status
