#!/usr/bin/env bash
# Installs what is missing, builds Orvella three ways (native, Windows x64, Windows x86) and runs
# every test: native unit tests (plain and under ASan/UBSan) and the Windows tests under wine64.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh || exit 1

# Compiler cache: the five builds share most sources, and a second run on the same machine
# recompiles only what changed. Paths are hashed relative to the checkout.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
configure() {  # dir [cmake args...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; echo "error: configuring $dir failed" >&2; exit 1; }
}
mkdir -p build
configure build/native
configure build/native-asan -DORVELLA_SANITIZE=ON
configure build/win-x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake"
configure build/win-i686 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake"
builds=(build/native build/native-asan build/win-x86_64 build/win-i686)
if compgen -G 'fuzz/*.cpp' >/dev/null; then
  CC=clang CXX=clang++ configure build/fuzz -DORVELLA_FUZZ=ON
  builds+=(build/fuzz)
fi
for dir in "${builds[@]}"; do
  echo "== building $dir"
  target=()
  [ "$dir" = build/fuzz ] && target=(--target fuzzers)
  cmake --build "$dir" -j"$(nproc)" "${target[@]}" || { echo "error: building $dir failed" >&2; exit 1; }
done

# One virtual display for every Windows test that creates windows.
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    break
  done
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X${DISPLAY#:} ] && break; sleep 0.1; done
fi
cleanup() {
  WINEPREFIX="$root/build/win-x86_64/wineprefix" /usr/lib/wine/wineserver64 -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# Every run starts from a new Wine prefix.
rm -rf build/win-x86_64/wineprefix build/win-x86_64/wineprefix.lock build/win-x86_64/e2e

passed=0; failed=0
run_ctest() {  # dir [ctest args...]
  local dir=$1; shift
  echo "== testing $dir"
  local log=$dir.ctest.log
  ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$log"
  local line total fail
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    if grep -q 'No tests were found' "$log"; then return; fi
    failed=$((failed + 1)); return
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  fail=$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - fail)); failed=$((failed + fail))
}
export ORVELLA_REQUIRE_WINDOWS_BUILDS=1
run_ctest build/native -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 run_ctest build/native-asan -j"$(nproc)"
run_ctest build/win-x86_64 -j2

# Each fuzzer runs for a fixed time, starting from its seeds and what earlier runs found.
for f in build/fuzz/bin/*_fuzzer; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "== fuzzing $name for ${FUZZ_SECONDS:-20} s"
  if "$f" -max_total_time="${FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 \
      "$corpus" "${seeds[@]}" >"build/fuzz/$name.log" 2>&1; then
    echo "   $name: no crash"; passed=$((passed + 1))
  else
    tail -n 40 "build/fuzz/$name.log"; echo "   $name: FAILED"; failed=$((failed + 1))
  fi
done

echo
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
