#!/usr/bin/env bash
# Runs every fuzz target for a short time on its seed corpus.
# Usage: run.sh BUILD_DIR [SECONDS_PER_TARGET]
set -uo pipefail
build="$1"
seconds="${2:-20}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
failed=0
passed=0
for target in "$build"/tests/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  work="$(mktemp -d)"
  seeds="$here/corpus/$name"
  [ -d "$seeds" ] || seeds=""
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
       -artifact_prefix="$work/" "$work" $seeds >"$work/log" 2>&1; then
    echo "fuzz $name: ok ($(grep -c '' "$work/log") log lines)"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED"
    tail -n 40 "$work/log"
    failed=$((failed + 1))
  fi
  rm -rf "$work"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
