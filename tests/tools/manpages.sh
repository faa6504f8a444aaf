#!/bin/sh
# Checks the man pages against the programs' own help: every command of rostella-batch has a
# section of rostella-batch.1 naming the same options as the command's help, and the options
# rostella.1 and rostella-batch.1 give the programs themselves are the ones their help lists.
# Usage: manpages.sh ROSTELLA ROSTELLA_BATCH MAN_FOLDER
set -u
rostella=$1
batch=$2
man=$3
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The options a text names, one a line, sorted: "--x" and "-x" words.
options() {
    grep -o -E -- '(^|[^a-zA-Z0-9-])--?[a-z][a-z-]*' | sed -E 's/^[^-]+//' | sort -u
}
# The text of a page without roff's escapes for hyphens and fonts.
plain() {
    sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"
}
# The part of a page from the heading line that matches $2 to the next heading of level $3.
section() {
    plain "$1" | awk -v start="$2" -v level="$3" '
        on && ($0 ~ "^\\.SH" || (level == "SS" && $0 ~ "^\\.SS")) { exit }
        $0 ~ start { on = 1 }
        on'
}
compare() {
    if ! diff -u "$work/help" "$work/page" >"$work/diff"; then
        echo "$1 (- only in the help, + only in the man page):"
        sed -n '3,$p' "$work/diff" | grep '^[-+]'
        failed=1
    fi
}

QT_QPA_PLATFORM=offscreen "$rostella" --help | options >"$work/help"
section "$man/rostella.1" '^\.SH OPTIONS' SH | options >"$work/page"
compare "rostella's options"

# The program's own options are on its usage line; the lines after it are the commands'.
# -h is --help's other name after a command; the page says so in the same place.
"$batch" --help | grep '^Usage:' | options >"$work/help"
section "$man/rostella-batch.1" '^\.SH OPTIONS' SH | options | grep -v -x -e -h >"$work/page"
compare "rostella-batch's own options"

"$batch" --help | sed -n 's/^  rostella-batch \([a-z]*\) .*/\1/p' | sort >"$work/commands"
plain "$man/rostella-batch.1" | sed -n 's/^\.SS \([a-z]*\) .*/\1/p' | sort >"$work/sections"
if ! diff -u "$work/commands" "$work/sections" >"$work/diff"; then
    echo "commands (- only in the help, + only in the man page):"
    sed -n '3,$p' "$work/diff" | grep '^[-+]'
    failed=1
fi
while read -r command; do
    # Every command takes --help and -h; the page says so once, under OPTIONS.
    "$batch" "$command" --help | options | grep -v -x -e --help -e -h >"$work/help"
    section "$man/rostella-batch.1" "^\\.SS $command " SS | options >"$work/page"
    compare "rostella-batch $command"
done <"$work/commands"
[ "$failed" = 0 ] && echo "the man pages name every command and option the help names, and no other"
exit "$failed"
