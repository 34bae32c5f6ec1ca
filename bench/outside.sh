#!/usr/bin/env bash
# Start-up and memory, measured from outside the program on a virtual display:
#   xvfb-run -a -s "-screen 0 1280x900x24" bash bench/outside.sh [runs]
# Prints, per run, the milliseconds from process start to the account dialog's first content,
# beside the same for the yardstick (a bare Qt dialog, bench/yardstick.cpp), how many times that
# the yardstick takes with one line of text, and the resident memory once a log-in to a store
# of 10 tables of 99 entries has settled (the key derivation's 64 MiB returned); then the
# medians, with that of each run's ratio of the program to the bare dialog. The dialog is
# filled by mouse, as a user would.
set -euo pipefail
built="$(dirname "$0")/../build/default"
program="$built/ketterby"
runs="${1:-5}"
folder="$(mktemp -d)"
# The X server starts afresh whenever its last client leaves, refusing connections meanwhile;
# a client kept connected throughout keeps it from doing so between runs.
xprop -root -spy >/dev/null &
keeper=$!
trap 'kill "$keeper"; rm -rf "$folder"' EXIT
export XDG_DATA_HOME="$folder/data" XDG_RUNTIME_DIR="$folder/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The store, made with the README's recipe for the password "bench".
key=$(printf '%s' 'benchk' | argon2 KetterbyKeySalt1 -id -t 3 -m 16 -p 1 -l 16 -r |
      cut -c1-30 | tr a-f A-F | basenc --base16 -d | base64)
{
    echo "PRAGMA key = '$key';"
    for table in Default T1 T2 T3 T4 T5 T6 T7 T8 T9; do
        echo "CREATE TABLE [$table] ([Date] TEXT, [Description] TEXT,[User ID] TEXT," \
             "[Password] TEXT, [ID] INT NOT NULL PRIMARY KEY);"
        for id in $(seq 1 99); do
            echo "INSERT INTO [$table] VALUES ('1/2/26', 'entry $id', 'user', 'pw$id', $id);"
        done
    done
} | sqlcipher "$folder/bench.mdb" >/dev/null

# Whether a window titled "Accounts" is on screen.
accounts_shown() {
    xdotool search --onlyvisible --name '^Accounts$' >/dev/null 2>&1
}

# Starts the program (with its arguments) and sets pid and shown, the milliseconds until its
# "Accounts" window first shows content, as bench/shown sees it from the X server's events.
start() {
    local result
    result=$("$built/bench/shown" Accounts "$@" 2>>"$folder/errors") ||
        { echo "$1 ended before its dialog showed" >&2; cat "$folder/errors" >&2; exit 1; }
    pid=${result% *}
    shown=${result#* }
}

# The program is bench/shown's child, not this shell's: its window going shows it has ended.
stop() {
    kill "$pid"
    while accounts_shown; do sleep 0.05; done
}

# The first number divided by the second, to two places.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Clicks at a point of the dialog, given from its top left corner, and types the text.
fill() {
    xdotool mousemove --window "$dialog" "$1" "$2" click 1
    sleep 0.2
    [ -z "${3:-}" ] || xdotool type --delay 20 "$3"
}

for run in $(seq 1 "$runs"); do
    start "$built/bench/yardstick"
    bare=$shown
    echo "$bare" >>"$folder/bare"
    stop
    start "$built/bench/yardstick" text
    ratio "$shown" "$bare" >>"$folder/text"
    stop
    start "$program"
    echo "$shown" >>"$folder/shown"
    # Each run's own ratio: load on the machine slows both of a run alike.
    ratio "$shown" "$bare" >>"$folder/ratio"
    dialog=$(xdotool search --onlyvisible --name '^Accounts$' | head -1)
    fill 253 66 bench
    fill 253 94 bench
    fill 253 122 "$folder/"
    fill 333 150
    sleep 5
    if accounts_shown; then
        echo "run $run: the log-in did not happen" >&2
        exit 1
    fi
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    echo "$rss" >>"$folder/rss"
    echo "run $run: account dialog after ${shown} ms (bare dialog ${bare} ms; with one line" \
         "of text $(tail -1 "$folder/text") times that);" \
         "resident memory after log-in ${rss} KiB"
    stop
done
echo "medians: account dialog $(median <"$folder/shown") ms, bare dialog" \
     "$(median <"$folder/bare") ms, ratio within a run $(median <"$folder/ratio") (bare" \
     "dialog with one line of text: $(median <"$folder/text"))," \
     "resident memory $(median <"$folder/rss") KiB"
