# Sourced by the test and run commands: a private Xvfb display and a throw-away
# Wine prefix with a persistent server, so that Windows programs (GUI tests
# included) run headless. wine_session_start [win32|win64] starts them;
# wine_session_stop stops only what they started. WINE_LOADER is the loader
# for programs of that word size.

wine_loader() {
  if [ "$1" = win64 ]; then echo /usr/lib/wine/wine64; else echo wine; fi
}

wine_session_start() {
  local arch=${1:-win32}
  WINE_LOADER=$(wine_loader "$arch")
  export WINEDEBUG=-all WINEARCH=$arch WINE_LOADER
  WINEPREFIX=$(mktemp -d /tmp/simulator-wine.XXXXXX)
  export WINEPREFIX
  WINE_SESSION_FDFILE=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WINE_SESSION_FDFILE" >/dev/null 2>&1 &
  WINE_SESSION_XVFB=$!
  local _
  for _ in $(seq 200); do [ -s "$WINE_SESSION_FDFILE" ] && break; sleep 0.05; done
  if [ ! -s "$WINE_SESSION_FDFILE" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$WINE_SESSION_FDFILE")"
  # The server and its helper processes must start outside ctest's pipes, or
  # ctest waits for them to close (see the toolchain notes).
  wineserver -p
  "$WINE_LOADER" wineboot -i >/dev/null 2>&1 </dev/null
  # Unmanaged windows: without a window manager, every hide or destroy of a
  # managed window stalls for two seconds. Checked, since GUI tests depend on it.
  local _try
  for _try in 1 2 3; do
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    "$WINE_LOADER" reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null </dev/null |
      grep -q 'Managed.*N' && break
  done
  "$WINE_LOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
}

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  if [ -n "${WINE_SESSION_XVFB:-}" ]; then
    kill "$WINE_SESSION_XVFB" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB" 2>/dev/null || true
  fi
  rm -rf "$WINEPREFIX" "${WINE_SESSION_FDFILE:-}"
  unset WINEPREFIX WINE_SESSION_XVFB WINE_SESSION_FDFILE
}

# True when this machine can run Windows programs of the word size (win32 or
# win64) under Wine. Wine's 32-bit loader is an i386 Linux program, which some
# kernels and sandboxes refuse to run.
wine_usable() {
  if [ "${1:-win32}" = win64 ]; then
    [ -x /usr/lib/wine/wine64 ] && /usr/lib/wine/wine64 --version >/dev/null 2>&1
  else
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
  fi
}
