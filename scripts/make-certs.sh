#!/usr/bin/env bash
# Creates the local service's CA and its server certificate for 127.0.0.1 and localhost, once.
# Usage: make-certs.sh [DIR]   (default: ~/.local/share/veltrace/certs)
set -euo pipefail
dir="${1:-${HOME}/.local/share/veltrace/certs}"
mkdir -p "$dir"
cd "$dir"
if [ -s ca.pem ] && [ -s server.pem ] && [ -s server.key ] &&
   openssl verify -CAfile ca.pem server.pem >/dev/null 2>&1 &&
   openssl x509 -checkend 86400 -noout -in server.pem >/dev/null 2>&1; then
  echo "make-certs: certificates in $dir are valid"
  exit 0
fi
umask 077
openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -sha256 \
  -keyout ca.key -out ca.pem -subj "/CN=Veltrace local OCR service CA" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
  2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr \
  -subj "/CN=127.0.0.1" 2>/dev/null
cat > server.ext <<'EXT'
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=IP:127.0.0.1,DNS:localhost
EXT
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 825 -sha256 \
  -extfile server.ext -out server.pem 2>/dev/null
rm -f server.csr server.ext ca.srl
chmod 644 ca.pem server.pem
echo "make-certs: created CA and server certificate in $dir"
