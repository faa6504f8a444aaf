#!/usr/bin/env bash
# Installs the Debian 12 packages Rostella builds, tests and runs with. Quiet when all is present.
# --bench adds what the benchmarks compare against (glabels).
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-image-formats-plugins libqt6svg6
  libsqlite3-dev libzip-dev libgtest-dev libbenchmark-dev
  fonts-liberation xvfb xauth xdotool x11-utils openbox poppler-utils time unzip python3
  ccache dpkg-dev file desktop-file-utils appstream lintian khard
)
[ "${1:-}" = --bench ] && packages+=(glabels)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
