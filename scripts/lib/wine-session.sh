# Sourced by scripts/test and scripts/demo: a private Wine prefix with its own
# X display and a persistent wineserver, stopped again by wine_session_stop.

wine_session_start() {
  local prefix=$1
  export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko install dialog: it would wait forever on a hidden display.
  # No crash debugger either: it waits on the display too, so a crashing test
  # would hang until its time-out instead of failing at once.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  mkdir -p "$WINEPREFIX"

  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$fdfile" >/dev/null 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  local i
  for i in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
  rm -f "$fdfile"

  # A server left over from an interrupted run would serve this session with
  # its old display and half-finished start-up: end it first.
  wineserver -k >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  # Wine's services inherit the standard handles of the first process: keep
  # them away from the caller's pipes, or a test runner waits for them forever.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 </dev/null || true
    wineserver -w >/dev/null 2>&1 </dev/null || true
  fi
  if [ -n "${WINE_SESSION_XVFB_PID:-}" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=
  fi
}
