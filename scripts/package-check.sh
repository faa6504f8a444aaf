#!/usr/bin/env bash
# Builds the Debian package and checks it as a member's machine would see it: installs it with
# apt-get, runs the installed programs from a folder outside the checkout, validates the desktop
# entry and the software centre metadata, lints the package, starts the installed rostella the
# way the menu does in a fresh home folder, then removes the package and checks that every file
# it installed went with it. Needs root or sudo, and says so and skips without either.
# Usage: scripts/package-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        sudo=(sudo)
    else
        echo "package check skipped: installing the package needs root or sudo"
        exit 0
    fi
fi
app_id=org.rostella.Rostella
version=$(sed -n 's/^project(Rostella VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
deb=$(bash scripts/package.sh | tail -n 1)
[ -f "$deb" ] || { echo "no package was built"; exit 1; }
echo "package: $deb"

work=$(mktemp -d /tmp/rostella-package.XXXXXX)
installed=0
cleanup() {
    [ "$installed" = 1 ] && "${sudo[@]}" dpkg -r rostella >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "package check failed: $1"
    exit 1
}

DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
installed=1
dpkg-query -L rostella | while read -r path; do [ -d "$path" ] || echo "$path"; done \
    >"$work/files"

cd "$work"
[ "$(command -v rostella-batch)" = /usr/bin/rostella-batch ] || fail "rostella-batch is not /usr/bin"
[ "$(command -v rostella)" = /usr/bin/rostella ] || fail "rostella is not /usr/bin"
[ "$(rostella-batch --version)" = "rostella-batch $version" ] || fail "rostella-batch --version"
[ "$(QT_QPA_PLATFORM=offscreen rostella --version)" = "rostella $version" ] ||
    fail "rostella --version"
rostella-batch sample --out "$work/D" >/dev/null || fail "rostella-batch sample"
rostella-batch household --data "$work/D" --family 1 >"$work/household" ||
    fail "rostella-batch household"
[ -s "$work/household" ] || fail "rostella-batch household printed nothing"
for page in rostella rostella-batch; do
    [ -f "/usr/share/man/man1/$page.1.gz" ] || fail "no man page for $page"
done

desktop=/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"

# The menu's command line in a home folder of its own: the standard data folder is created and
# the import asks for the archive.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
home="$work/home"
mkdir -p "$home"
cat >"$work/menu.sh" <<'INNER'
#!/bin/sh
set -u
cd "$HOME" || exit 1
$1 >"$2/rostella.log" 2>&1 &
pid=$!
status=1
for _ in $(seq 1 150); do
    if xdotool search --onlyvisible --name '^Import data$' >/dev/null 2>&1; then
        status=0
        break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit "$status"
INNER
chmod +x "$work/menu.sh"
status=0
env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 \
    timeout 60 "$root/tests/support/with-xvfb.sh" --wm -- "$work/menu.sh" "$exec_line" "$work" ||
    status=$?
[ "$status" = 77 ] && fail "Xvfb or openbox is missing"
[ "$status" = 0 ] || { cat "$work/rostella.log"; fail "the menu's command did not show the import"; }
data="$home/.local/share/Rostella"
[ -d "$data" ] || fail "the standard data folder $data was not created"

"${sudo[@]}" dpkg -r rostella >/dev/null
installed=0
while read -r path; do
    [ ! -e "$path" ] || fail "$path is still there after dpkg -r"
done <"$work/files"
[ -d "$data" ] || fail "removing the package took the member's data folder"
echo "package check passed: installed, ran, validated, linted and removed $(basename "$deb")"
