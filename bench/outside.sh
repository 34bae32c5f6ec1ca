#!/usr/bin/env bash
# Start-up and memory, measured from outside the program on a virtual display:
#   xvfb-run -a -s "-screen 0 1280x900x24" bash bench/outside.sh [runs]
# Prints, per run, the milliseconds from process start to the account dialog on screen, and
# the resident memory once a log-in to a store of 10 tables of 99 entries has settled (the key
# derivation's 64 MiB returned). The dialog is filled by mouse, as a user would.
set -euo pipefail
program="$(dirname "$0")/../build/default/ketterby"
runs="${1:-5}"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
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

# Clicks at a point of the dialog, given from its top left corner, and types the text.
fill() {
    xdotool mousemove --window "$dialog" "$1" "$2" click 1
    sleep 0.2
    [ -z "${3:-}" ] || xdotool type --delay 20 "$3"
}

for run in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    "$program" 2>/dev/null &
    pid=$!
    dialog=$(xdotool search --sync --onlyvisible --name '^Accounts$' | head -1)
    shown=$(( ($(date +%s%N) - start) / 1000000 ))
    fill 253 66 bench
    fill 253 94 bench
    fill 253 122 "$folder/"
    fill 333 150
    sleep 5
    if xdotool search --onlyvisible --name '^Accounts$' >/dev/null; then
        echo "run $run: the log-in did not happen" >&2
        exit 1
    fi
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    echo "run $run: account dialog after ${shown} ms; resident memory after log-in ${rss} KiB"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
