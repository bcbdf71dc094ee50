#!/usr/bin/env bash
# Builds and runs every test: the release build with unit, GUI, service and end-to-end tests,
# the core libraries under AddressSanitizer/UBSan, and short fuzz runs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
# The certificates live under $HOME; some CI environments start without it.
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
bash scripts/install-deps.sh
bash scripts/make-certs.sh

status=0
run_suite() {
  local preset=$1
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "=== $preset: tests"
  ctest --preset "$preset" || status=1
}

# GUI and end-to-end tests need an X server; start a private one when there is no display.
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true' EXIT

run_suite release
run_suite asan
if [ -f tests/fuzz/CMakeLists.txt ]; then
  echo "=== fuzz: build and short runs"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --target fuzz_all
  bash tests/fuzz/run.sh build/fuzz "${FUZZ_SECONDS:-20}" || status=1
fi
exit $status
