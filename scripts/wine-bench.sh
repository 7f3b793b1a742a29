# The Wine bench for Tavrel.exe: a virtual X display, a Wine prefix of the
# project's own whose shutdown.exe is a fake that only records its runs, and a
# check that the fake is really what a 32-bit program starts as the system's
# shutdown.exe. Source this file from bash; it changes no shell option.
#
#   bench_start BIN_DIR   starts Xvfb and the wineserver, creates or reuses the
#                         prefix, installs BIN_DIR/fake_shutdown.exe as the
#                         prefix's shutdown.exe and proves it with
#                         BIN_DIR/bench_probe.exe. Returns non-zero (and stops
#                         what it started) when anything fails; the product
#                         must not run then.
#   bench_stop            ends every process of the prefix and the Xvfb.
#   bench_trap            makes bench_stop run when the calling shell exits.
#
# Afterwards DISPLAY, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES are exported
# for the tests. Settings (environment):
#   TAVREL_WINEPREFIX  the prefix (default: <repo>/build/wineprefix). The user's
#                      own WINEPREFIX is deliberately not used: the bench
#                      replaces its shutdown.exe.
#   TAVREL_WINEARCH    the kind of a new prefix: win32 (default: made in about
#                      half the time of a win64 one, and half the size) or win64;
#                      an existing prefix keeps its kind
#   TAVREL_BENCH_LOGS  where the bench writes its logs (default: <repo>/build/bench-logs)
#   BENCH_QUIET=1      print nothing but errors
#   BENCH_USE_DISPLAY=1  run on the X display already in DISPLAY instead of
#                      starting an Xvfb (to use the program by hand)

BENCH_REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BENCH_XVFB_PID=""
BENCH_WINESERVER_STARTED=""
BENCH_NEW_PREFIX_ARCH="${TAVREL_WINEARCH:-win32}"

bench_say() { [ "${BENCH_QUIET:-0}" = 1 ] || echo "bench: $*"; }
bench_fail() { echo "bench: ERROR: $*" >&2; }

# Starts Xvfb on a free display and exports DISPLAY.
bench_start_xvfb() {
  local logs="$1" fdfile="$1/xvfb.display"
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" >"$logs/xvfb.log" 2>&1 &
  BENCH_XVFB_PID=$!
  local _
  for _ in $(seq 1 200); do
    if [ -s "$fdfile" ]; then
      DISPLAY=":$(tr -dc '0-9' <"$fdfile")"
      export DISPLAY
      bench_say "Xvfb pid $BENCH_XVFB_PID on display $DISPLAY"
      return 0
    fi
    kill -0 "$BENCH_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  bench_fail "Xvfb did not start (see $logs/xvfb.log)"
  return 1
}

# REG_MULTI_SZ data for a REGEDIT4 file: hex(7) of the ANSI text, one value
# (a "version 5.00" file would want UTF-16 throughout).
bench_reg_multi_sz() {
  printf '%s\0\0' "$1" | od -An -v -tx1 |
    tr -s ' \n' ' ' | sed 's/^ //; s/ $//; s/ /,/g'
}

bench_write_registry_file() {
  local file="$1" link key face
  link="$(bench_reg_multi_sz 'wqy-microhei.ttc,WenQuanYi Micro Hei')"
  {
    printf 'REGEDIT4\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\r\n"shutdown.exe"="native"\r\n\r\n'
    for key in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_LOCAL_MACHINE\Software\Wow6432Node'; do
      printf '[%s\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n' "$key"
      for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'Segoe UI'; do
        printf '"%s"=hex(7):%s\r\n' "$face" "$link"
      done
      printf '\r\n'
    done
  } >"$file"
}

bench_start_wineserver() {
  # Started outside any pipe, with its output in a file: a persistent server
  # whose output is a pipe keeps the reader waiting.
  wineserver -p >"$1/wineserver.log" 2>&1 </dev/null
  BENCH_WINESERVER_STARTED=1
}

bench_stop_wineserver() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  BENCH_WINESERVER_STARTED=""
}

# Creates the prefix once; later runs reuse it (marked as complete by a file).
bench_prepare_prefix() {
  local logs="$1" ready="$WINEPREFIX/.tavrel-bench-ready"
  if [ -f "$ready" ]; then
    bench_say "reusing the prefix $WINEPREFIX"
    bench_start_wineserver "$logs"
    return 0
  fi
  # An unfinished earlier attempt is started over; anything else is not ours.
  if [ -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
  elif [ -d "$WINEPREFIX" ] && [ -n "$(ls -A "$WINEPREFIX")" ]; then
    bench_fail "$WINEPREFIX is neither empty nor a Wine prefix; not touching it"
    return 1
  fi
  mkdir -p "$WINEPREFIX"
  bench_say "creating the prefix $WINEPREFIX ($BENCH_NEW_PREFIX_ARCH)"
  # The server writes the new registry, so it must know the kind too.
  export WINEARCH="$BENCH_NEW_PREFIX_ARCH"
  bench_start_wineserver "$logs"
  if ! wineboot -i >"$logs/wineboot.log" 2>&1 </dev/null; then
    unset WINEARCH
    bench_fail "wineboot -i failed (see $logs/wineboot.log)"
    return 1
  fi
  unset WINEARCH
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -f /usr/share/wine/fonts/*.ttf "$fonts"/ 2>/dev/null
  cp -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts"/ || {
    bench_fail "fonts-wqy-microhei is missing"
    return 1
  }
  bench_write_registry_file "$logs/bench.reg"
  local regfile="Z:${logs//\//\\}\\bench.reg"
  if ! wine regedit /S "$regfile" >"$logs/regedit.log" 2>&1 </dev/null; then
    bench_fail "regedit failed (see $logs/regedit.log)"
    return 1
  fi
  touch "$ready"
  # The processes wineboot left running (the desktop with its tray among them)
  # started before Managed=N: without a window manager they would wait seconds
  # on window changes. Start afresh so every process has the new settings.
  bench_stop_wineserver
  bench_start_wineserver "$logs"
}

# Puts the fake into both system folders (a 32-bit program's system folder is
# syswow64 in a 64-bit prefix, system32 in a 32-bit one), then proves that a
# 32-bit program starting GetSystemDirectoryW()\shutdown.exe gets the fake.
bench_install_fake() {
  local bin="$1" logs="$2" dir installed=0
  for dir in system32 syswow64; do
    if [ -d "$WINEPREFIX/drive_c/windows/$dir" ]; then
      cp -f "$bin/fake_shutdown.exe" "$WINEPREFIX/drive_c/windows/$dir/shutdown.exe" || return 1
      installed=$((installed + 1))
    fi
  done
  [ "$installed" -gt 0 ] || { bench_fail "no system folder in $WINEPREFIX"; return 1; }

  local suffix log="$WINEPREFIX/drive_c/tavrel-bench/shutdown.log"
  suffix="$(date +%s%N)-$$-$RANDOM"
  if ! wine "$bin/bench_probe.exe" "$suffix" >"$logs/probe.log" 2>&1 </dev/null; then
    bench_fail "the probe failed; the prefix's shutdown.exe is not the fake:"
    cat "$logs/probe.log" >&2
    return 1
  fi
  if ! grep -qE " shutdown tavrel-probe-$suffix"$'\r?$' "$log" 2>/dev/null; then
    bench_fail "no probe record in $log; the prefix's shutdown.exe is not the fake"
    return 1
  fi
  bench_say "the prefix's shutdown.exe is the fake (probe $suffix recorded)"
}

# Keeps Wine's desktop process alive for the whole bench session, started with
# its output in the bench's logs (see bench_probe.cpp).
bench_keep_desktop() {
  local bin="$1" logs="$2" _
  wine "$bin/bench_probe.exe" --keep-desktop >"$logs/desktop-keeper.log" 2>&1 </dev/null &
  for _ in $(seq 1 400); do
    grep -q 'desktop kept' "$logs/desktop-keeper.log" 2>/dev/null && return 0
    sleep 0.05
  done
  bench_fail "the desktop keeper did not start (see $logs/desktop-keeper.log)"
  return 1
}

bench_start() {
  local bin="${1:?bench_start BIN_DIR}"
  local logs="${TAVREL_BENCH_LOGS:-$BENCH_REPO/build/bench-logs}"
  local f
  for f in fake_shutdown.exe bench_probe.exe; do
    [ -f "$bin/$f" ] || { bench_fail "$bin/$f is missing (build first)"; return 1; }
  done
  mkdir -p "$logs"
  export WINEPREFIX="${TAVREL_WINEPREFIX:-$BENCH_REPO/build/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  unset WINEARCH  # an existing prefix tells its own kind
  if [ "${BENCH_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    bench_say "using the display $DISPLAY"
  elif ! bench_start_xvfb "$logs"; then
    bench_stop
    return 1
  fi
  if ! {
    bench_prepare_prefix "$logs" &&
    bench_keep_desktop "$bin" "$logs" &&
    bench_install_fake "$bin" "$logs"; }; then
    bench_stop
    return 1
  fi
}

bench_stop() {
  if [ -n "$BENCH_WINESERVER_STARTED" ] && [ -n "${WINEPREFIX:-}" ]; then
    bench_stop_wineserver
  fi
  if [ -n "$BENCH_XVFB_PID" ]; then
    kill "$BENCH_XVFB_PID" 2>/dev/null
    wait "$BENCH_XVFB_PID" 2>/dev/null
    BENCH_XVFB_PID=""
  fi
  return 0
}

bench_trap() {
  trap 'bench_stop' EXIT
  trap 'bench_stop; exit 130' INT
  trap 'bench_stop; exit 143' TERM
}
