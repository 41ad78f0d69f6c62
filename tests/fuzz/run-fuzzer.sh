#!/usr/bin/env bash
# Runs a libFuzzer binary for a bounded time on a scratch copy of the seed corpus; fails on a crash.
# Usage: tests/fuzz/run-fuzzer.sh BINARY SECONDS
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BINARY SECONDS" >&2
  exit 2
fi
binary=$(realpath "$1")
seconds=$2
seeds="$(cd "$(dirname "$0")" && pwd)/corpus"

# New inputs go to a scratch copy, so the seed corpus in the repository never grows.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$seeds" "$work/corpus"
# Crashing inputs are kept beside the binary, outside the scratch folder, for a rerun.
artifacts="$(dirname "$binary")/artifacts"
mkdir -p "$artifacts"

status=0
"$binary" -max_total_time="$seconds" -max_len=64 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$artifacts/" "$work/corpus" || status=$?
if [ "$status" -ne 0 ]; then
  echo "fuzzing failed (exit $status); inputs kept in $artifacts:" >&2
  ls -l "$artifacts" >&2
fi
exit "$status"
