#!/usr/bin/env bash
# Lists the functions of src/ that neither program reaches. rostella and rostella-batch are linked
# again from a build's objects, with every object of the project's libraries taken in whole and
# the linker told to drop every function section nothing refers to; a function of ours that is in
# neither result is one that no road of the programs calls. Inline and template functions leave no
# section of their own until used, and the compiler's -Wunused-function covers file-local ones.
# scripts/unused-seams.txt names the few functions only tests call on purpose.
#
# Usage: scripts/check-unused.sh [BUILD_DIR]   (default build/dev, built with -ffunction-sections)
# Exits 1 and names the functions when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/dev}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

: > "$work/libs"
for link in "$build/src/app/exe/CMakeFiles/rostella.dir/link.txt" \
            "$build/tools/rostella-batch/CMakeFiles/rostella-batch.dir/link.txt"; do
  program=$(basename "$(dirname "$link")" .dir)
  # CMake writes the command shell-quoted, relative to the program's build folder.
  eval "words=($(< "$link"))"
  args=()
  declare -A taken=()
  for w in "${words[@]}"; do
    case "$w" in
      "$program") args+=("$work/$program") ;;
      *librost_*.a)
        # Each library once: taken in whole twice, its functions would be defined twice.
        if [ -z "${taken[$w]:-}" ]; then
          args+=(-Wl,--whole-archive "$w" -Wl,--no-whole-archive)
          (cd "$(dirname "$(dirname "$(dirname "$link")")")" && realpath "$w") >> "$work/libs"
        fi
        taken[$w]=1 ;;
      *) args+=("$w") ;;
    esac
  done
  unset taken
  (cd "$(dirname "$(dirname "$(dirname "$link")")")" &&
     "${args[@]}" -Wl,--gc-sections 2> "$work/$program.log" >/dev/null) || {
    cat "$work/$program.log" >&2
    exit 2
  }
  nm --defined-only "$work/$program" | awk '{ print $3 }' >> "$work/kept"
done

# Our strong functions, outside the code moc writes.
sort -u "$work/libs" | while read -r lib; do
  nm --defined-only "$lib" 2> /dev/null | awk '
    /:$/ { moc = ($0 ~ /mocs_compilation/); next }
    !moc && $2 == "T" { print $3 }'
done | sort -u > "$work/ours"
sort -u "$work/kept" -o "$work/kept"
# A class never made on its own (its derived classes are) leaves its complete-object and deleting
# destructors, and their thunks, unused: the destructor the derived classes call is kept.
comm -23 "$work/ours" "$work/kept" | grep -v -E 'D[01]Ev$|^_ZThn' | c++filt |
  grep -v -x -F -f <(grep -v -e '^#' -e '^$' scripts/unused-seams.txt) > "$work/unused" || true

if [ -s "$work/unused" ]; then
  echo "Functions of src/ that no program reaches:"
  sort "$work/unused" | sed 's/^/  /'
  exit 1
fi
echo "Every function of src/ is reached by rostella or rostella-batch."
