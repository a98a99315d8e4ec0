#!/bin/bash
# Runs one fuzzer for a fixed time on a copy of its committed corpus, so that
# the inputs it finds never land in the source tree.
#   run_fuzzer.sh <fuzzer> <corpus folder> <seconds> [libFuzzer options...]
# Fails when the fuzzer finds a crash, a leak or a hang; the input is left in
# the working folder printed below.
set -euo pipefail
fuzzer="$1" corpus="$2" seconds="$3"
shift 3
work="$(mktemp -d "${TMPDIR:-/tmp}/vornel_fuzz_run.XXXXXX")"
mkdir "$work/corpus"
cp "$corpus"/* "$work/corpus/" 2>/dev/null || true
cd "$work"
if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@" corpus; then
  rm -rf "$work"
else
  status=$?
  echo "fuzzer failed (status $status); inputs kept in $work"
  exit "$status"
fi
