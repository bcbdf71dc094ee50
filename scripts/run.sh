#!/usr/bin/env bash
# Installs what is needed, builds the program and the local OCR service, starts the service if it
# is not running yet, and launches the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/install-deps.sh
bash scripts/make-certs.sh
cmake --preset release >/dev/null
cmake --build --preset release --target veltrace veltrace-ocrd

build="$root/build/release"
port="$(sed -n 's/^VELTRACE_SERVICE_PORT:[A-Z]*=//p' "$build/CMakeCache.txt")"
port="${port:-18443}"

service_listening() {
  ss -ltn "sport = :$port" 2>/dev/null | grep -q LISTEN
}

if service_listening; then
  echo "run: the local OCR service is already listening on port $port"
elif [ -f service/start-local.sh ]; then
  bash service/start-local.sh
else
  log="${XDG_STATE_HOME:-$HOME/.local/state}/veltrace/ocrd.log"
  mkdir -p "$(dirname "$log")"
  echo "run: starting the local OCR service on port $port (log: $log)"
  nohup "$build/service/veltrace-ocrd" --port "$port" >>"$log" 2>&1 &
  for _ in $(seq 100); do service_listening && break; sleep 0.1; done
  service_listening || { echo "run: the local OCR service did not start, see $log" >&2; exit 1; }
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no graphical session (DISPLAY is not set)" >&2
  exit 1
fi
exec "$build/src/app/veltrace"
