#!/usr/bin/env bash
# The program's start-up under Wine and Xvfb: single instance, switches, exit codes and the
# environment lines on the debug channel. startup_e2e.sh <bin dir> <work dir>
set -u
bin=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
mkdir -p "$work/shots"
prefix=$work/prefix
wine_prefix_init "$prefix"
export WINEPREFIX=$prefix

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

failures=0
check() {  # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
# The probe's own exit code counts, not that of the filter.
probe() { "$WINE64" "$bin/orvella_probe.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# Waits for a background start to end and sets rc to its exit code, or to "timeout".
# (It must run in this shell: only the parent can wait for its child.)
wait_exit() {
  local pid=$1 limit=$2
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      rc=$?
      return
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  rc=timeout
}
start() {  # log name, arguments
  local log=$1; shift
  WINEDEBUG=-all,warn+seh "$WINE64" "$bin/orvella.exe" "$@" 2>"$work/$log.err" &
  last_pid=$!
}

echo "== first start, then a second one while the first is minimised"
start first
first_pid=$last_pid
check "main window TForm_KT7 appears" probe wait TForm_KT7 30000
sleep 1
import -window root "$work/shots/first-start.png"
check "title is the program title" grep -q 'title=Talvik Orvella 2023' <(probe state TForm_KT7)
for line in 'WindowsVersion=[0-9]+\.[0-9]+"' 'RTL WindowsVersion=[0-9]+\.[0-9]+"' 'RTL WindowsVersion Build=[0-9]+"'; do
  check "debug line $line" grep -Eq "OutputDebugString[AW] \"$line" "$work/first.err"
done
for line in 'MainForm -> OnShow Done' 'Created: TForm_ORV ; FormName=Form_ORV' 'ms for Creating new Module = [0-9]+'; do
  check "debug line $line" grep -Eq "OutputDebugString[AW] \"$line" "$work/first.err"
done
probe minimize TForm_KT7
sleep 1
check "first window minimised" grep -q 'iconic=1' <(probe state TForm_KT7)
start second
wait_exit $last_pid 30
check "second start ends with exit code 0 (got $rc)" test "$rc" = 0
check "second start shows no window of its own" test "$(probe list | grep -c '^TForm_KT7')" = 1
sleep 1
state=$(probe state TForm_KT7)
echo "   first window: $state"
check "first window restored" grep -q 'visible=1 iconic=0' <<<"$state"
check "first window brought to the front" grep -q 'foreground=1' <<<"$state"
import -window root "$work/shots/after-second-start.png"
probe close TForm_KT7
wait_exit $first_pid 30
for line in 'KT16: FormCloseQuery' 'KeepFormLoaded_ClearAll' 'KT16: FormCloseQuery DONE' 'KT16: FormClose DONE'; do
  check "close line $line" grep -q "OutputDebugString[AW] \"$line" "$work/first.err"
done
check "first instance ends with exit code 0 after its window closed (got $rc)" test "$rc" = 0
check "first instance reached the message loop" grep -q 'Startup: message loop' "$work/first.err"

echo "== -save and -SAVE: only the information message, no main window"
for arg in -save -SAVE; do
  start "save$arg" "$arg"
  box=$(probe dialog 30000)
  echo "   message box: $box"
  check "$arg shows \"Translation saved...\" with the program title" \
    grep -q $'^Talvik Orvella 2023\tTranslation saved\.\.\.\tmainwindow=0$' <<<"$box"
  wait_exit $last_pid 30
  check "$arg ends with exit code 0 (got $rc)" test "$rc" = 0
done

echo "== -SAVEX is not -SAVE: the main window is created"
start savex -SAVEX
check "-SAVEX creates the main window" probe wait TForm_KT7 30000
sleep 1
import -window root "$work/shots/savex.png"
probe close TForm_KT7
wait_exit $last_pid 30
check "-SAVEX ends with exit code 0 after closing (got $rc)" test "$rc" = 0
check "-SAVEX reached the message loop" grep -q 'Startup: message loop' "$work/savex.err"
check "-SAVEX shows no page" bash -c "! grep -q 'Created: ' '$work/savex.err'"

echo "== switches that create no window end quietly"
for arg in -SETUPCONTEXT -setuplt2 -REMOVECONTEXT; do
  start "switch$arg" "$arg"
  wait_exit $last_pid 30
  check "$arg ends with exit code 0 (got $rc)" test "$rc" = 0
  check "$arg never reached the message loop" bash -c "! grep -q 'Startup: message loop' '$work/switch$arg.err'"
done

"$WINESERVER" -k 2>/dev/null
echo
if [ "$failures" -eq 0 ]; then echo "startup e2e: all checks passed"; else echo "startup e2e: $failures failed"; fi
[ "$failures" -eq 0 ]
