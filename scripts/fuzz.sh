#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while on its seed corpus.
#   bash scripts/fuzz.sh [SECONDS]     (60 by default, each target)
# Clang is installed here when missing; the CI builds do not need it. Finds are written to
# build/fuzz/finds/<target>/ and the run stops with a non-zero exit at the first one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

if ! command -v clang++ >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get install -y clang
fi

# Warnings are not errors here: the CI builds with gcc hold the warning line, and clang's
# own warnings must not keep the fuzzers from running.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DROST_FUZZ=ON -DROST_BENCH=OFF -DROST_WERROR=OFF >/dev/null
targets=(FuzzPicture FuzzSettingsRecord FuzzCsvPack FuzzMemberName FuzzListStatement)
cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
    name="${target#Fuzz}"
    corpus="build/fuzz/corpus/$name"
    finds="build/fuzz/finds/$name"
    mkdir -p "$corpus" "$finds"
    echo "== $target for ${seconds}s"
    "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -artifact_prefix="$finds/" -print_final_stats=1 "$corpus" "tests/fuzz/corpus/$name"
done
