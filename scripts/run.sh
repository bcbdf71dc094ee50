#!/usr/bin/env bash
# Installs what is needed, builds the program and the local OCR service, starts the service if it
# is not running yet, and launches the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
# The certificates live under $HOME; some CI environments start without it.
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
bash scripts/install-deps.sh
bash scripts/make-certs.sh
cmake --preset release >/dev/null
cmake --build --preset release --target veltrace veltrace-ocrd

build="$root/build/release"
bash service/start-local.sh "$build/service/veltrace-ocrd"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no graphical session (DISPLAY is not set)" >&2
  exit 1
fi
exec "$build/src/app/veltrace"
