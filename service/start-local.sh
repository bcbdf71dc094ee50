#!/usr/bin/env bash
# Starts the local OCR service in the background, unless something already listens on its port,
# and waits until it is ready to serve.
# Usage: service/start-local.sh [BINARY [SERVICE OPTIONS...]]
#   BINARY defaults to build/release/service/veltrace-ocrd. The port is the service's default
#   (the build setting) unless the options give --port. Its log goes to
#   ~/.local/share/veltrace/ocrd.log.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
binary="${1:-$root/build/release/service/veltrace-ocrd}"
[ $# -gt 0 ] && shift
if [ ! -x "$binary" ]; then
  echo "start-local: $binary is not built" >&2
  exit 1
fi

port=""
args=("$@")
for i in "${!args[@]}"; do
  case "${args[$i]}" in
    --port) port="${args[$((i + 1))]:-}" ;;
    --port=*) port="${args[$i]#--port=}" ;;
  esac
done
if [ -z "$port" ]; then
  port="$("$binary" --help | sed -n 's/.*--port N.*(default \([0-9]*\).*/\1/p')"
fi

if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "start-local: something already listens on 127.0.0.1:$port"
  exit 0
fi

state="$HOME/.local/share/veltrace"
mkdir -p "$state"
out="$state/ocrd.out"
log="$state/ocrd.log"
: >"$out"
setsid "$binary" "$@" >"$out" 2>>"$log" </dev/null &
pid=$!
for _ in $(seq 900); do
  if grep -q '^listening on ' "$out"; then
    echo "start-local: veltrace-ocrd $(cat "$out") (pid $pid, log $log)"
    exit 0
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "start-local: veltrace-ocrd ended before it was ready:" >&2
    tail -n 20 "$log" >&2
    exit 1
  fi
  sleep 0.2
done
echo "start-local: veltrace-ocrd gave no listening line within 180 s (pid $pid)" >&2
exit 1
