#!/usr/bin/env bash
# Start-up and memory, measured from outside the program on a virtual display:
#   xvfb-run -a -s "-screen 0 1280x900x24" bash bench/outside.sh [runs]
# Prints, per run, the milliseconds from process start to the account dialog on screen and the
# program's resident memory at that moment.
set -euo pipefail
program="$(dirname "$0")/../build/default/ketterby"
runs="${1:-5}"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
export XDG_DATA_HOME="$folder/data" XDG_RUNTIME_DIR="$folder/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
for run in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    "$program" 2>/dev/null &
    pid=$!
    xdotool search --sync --onlyvisible --name '^Accounts$' >/dev/null
    shown=$(( ($(date +%s%N) - start) / 1000000 ))
    sleep 1
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    echo "run $run: account dialog after ${shown} ms; resident memory ${rss} KiB"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
