#!/usr/bin/env bash
# Installs what is needed, builds Rostella and starts it on a fresh copy of the bundled sample
# directory. The folder holds only RostData.zip, as a member's computer does after downloading
# the office's export; Rostella imports it on its first start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release -DROST_BENCH=OFF >/dev/null
cmake --build --preset release -j "$(nproc)" --target rostella rostella-batch
folder="${ROSTELLA_SAMPLE_DIR:-$(mktemp -d /tmp/rostella-sample.XXXXXX)}"
build/release/tools/rostella-batch/rostella-batch sample --out "$folder" --zip
echo "Sample directory: $folder"
cd "$folder"
exec "$OLDPWD/build/release/src/app/exe/rostella"
