#!/usr/bin/env bash
# Prints every performance figure of the project: the Google Benchmark binaries, the service
# benchmark and the capture-to-clipboard latency on an X display.
# Usage: tests/bench/run-all.sh [BUILD_DIR]   (default build/release; builds what is missing)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build/release}"
cd "$root"
cmake --build "$build" >/dev/null || { echo "build failed"; exit 1; }

for bench in "$build"/tests/bench/*_bench; do
  [ -x "$bench" ] || continue
  echo "=== $(basename "$bench")"
  # Qt's offscreen platform warns about every grab and raise; those lines are not figures.
  "$bench" --benchmark_counters_tabular=true --benchmark_color=false 2>&1 |
    grep -vE '^\*\*\*|This plugin does not support|XDG_RUNTIME_DIR'
done

if [ -x "$root/tests/bench/service/bench.sh" ]; then
  echo "=== service"
  bash "$root/tests/bench/service/bench.sh" "$build"
fi

if [ -n "${DISPLAY:-}" ] && [ -x "$build/src/app/veltrace" ]; then
  echo "=== capture to clipboard"
  port=$(grep -m1 '^VELTRACE_SERVICE_PORT:' "$build/CMakeCache.txt" | cut -d= -f2)
  certs=$(grep -m1 '^VELTRACE_CERT_DIR:' "$build/CMakeCache.txt" | cut -d= -f2)
  /usr/bin/python3 "$root/tests/bench/capture_latency.py" --veltrace "$build/src/app/veltrace" \
    --ocrd "$build/service/veltrace-ocrd" --port "$port" --certs "$certs"
else
  echo "=== capture to clipboard: skipped (needs DISPLAY and the program)"
fi
