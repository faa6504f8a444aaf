#!/usr/bin/env bash
# Builds the Debian package from a release build and prints its path on the last line.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Only the programs and what they install are built: the package needs no tests, and cpack
# then installs what is there instead of building everything first.
CCACHE_BASEDIR=$PWD cmake --preset release -DROST_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  "${launcher[@]}" >/dev/null
CCACHE_BASEDIR=$PWD cmake --build --preset release -j "$(nproc)" \
  --target rostella rostella-batch rost_compressed_docs
(cd build/release && cpack -G DEB >cpack.log) || { cat build/release/cpack.log; exit 1; }
sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' build/release/cpack.log
