#!/bin/bash
# Builds and runs every test of VORNEL: the native unit tests (and the
# solver's and the sample data's), the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets of the file readers for a short
# time each (when clang is installed), and the Win32 tests of VORNEL.exe under Wine.
# Installs what is missing first. Ends with CTest's summary of each build and
# one line with the totals.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
jobs="${VORNEL_JOBS:-2}"

bash scripts/setup.sh || exit 1

start=$(date +%s)
total_pass=0
total_fail=0
status=0

run_ctest() {  # build folder, label, ctest arguments...
  local dir="$1" label="$2" log
  shift 2
  log="$(mktemp)"
  echo "== $label: ctest"
  (cd "$dir" && ctest -j"$jobs" --output-on-failure --timeout 900 "$@") 2>&1 | tee "$log"
  local line
  line="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)"
  if [ -z "$line" ]; then
    echo "== $label: no test summary"; status=1
  else
    local failed all
    failed="$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')"
    all="$(echo "$line" | sed -E 's/.* tests failed out of ([0-9]+).*/\1/')"
    total_fail=$((total_fail + failed))
    total_pass=$((total_pass + all - failed))
    [ "$failed" -eq 0 ] || status=1
  fi
  rm -f "$log"
}

build() {  # build folder, label, cmake arguments...
  local dir="$1" label="$2"
  shift 2
  echo "== $label: configure and build"
  cmake -S "$root" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { mkdir -p "$dir"; cat "$dir.configure.log"; status=1; return 1; }
  cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1 || { tail -50 "$dir.build.log"; status=1; return 1; }
}

mkdir -p build
if build build/native "native"; then run_ctest build/native "native"; fi
if build build/asan "sanitizers" -DVORNEL_SANITIZE=ON -DVORNEL_BENCHMARKS=OFF; then
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build/asan "sanitizers"
fi
# The fuzz targets of the file readers, each for a short fixed time on its
# committed corpus (clang with libFuzzer only).
if command -v clang >/dev/null && command -v clang++ >/dev/null; then
  echo "== fuzz: configure and build"
  if CC=clang CXX=clang++ cmake -S "$root" -B build/fuzz -DVORNEL_FUZZ=ON -DVORNEL_BENCHMARKS=OFF \
       >build/fuzz.configure.log 2>&1 &&
     cmake --build build/fuzz -j"$jobs" --target vornel_fuzzers >build/fuzz.build.log 2>&1; then
    # One fuzzer at a time: the tests are serial, each uses the time it is given.
    saved_jobs="$jobs"; jobs=1
    run_ctest build/fuzz "fuzz" -L fuzz
    jobs="$saved_jobs"
  else
    cat build/fuzz.configure.log; tail -50 build/fuzz.build.log; status=1
  fi
else
  echo "== fuzz: skipped (clang is not installed)"
fi
if build build/win "windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"; then
  bash scripts/start-printer.sh
  rm -f build/win/last-print.txt
  run_ctest build/win "windows (Wine)"
fi

echo "== all tests finished in $(( $(date +%s) - start )) s"
echo "tests: $total_pass passed, $total_fail failed"
exit $status
