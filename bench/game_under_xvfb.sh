#!/bin/bash
# Starts the real game under a virtual X server and measures it the way a player would run it:
# how long until the title window is on screen, the share of one core it takes sitting at the
# title window (the hidden game window still ticks) and while playing with an arrow held, and
# its peak resident memory. Prints one NAME=VALUE line per figure.
#
#   bench/game_under_xvfb.sh [BIN_DIR]    (default: build/bin; needs xvfb and xdotool)
set -euo pipefail

bin_dir=${1:-build/bin}
sample_seconds=${SAMPLE_SECONDS:-10}

# The game must draw on the X server, whatever platform the caller's Qt programs use.
export QT_QPA_PLATFORM=xcb
if [ -z "${VEXMIRE_UNDER_XVFB:-}" ]; then
    exec env VEXMIRE_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        "$0" "$@"
fi

game=$(realpath "$bin_dir/vexmire")
clock_ticks=$(getconf CLK_TCK)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; true' EXIT

now_ns() { date +%s%N; }

# User plus system time of the game so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

# The shown window called Vexmire; both windows bear that name and only one is ever shown.
shown_window() { xdotool search --onlyvisible --name '^Vexmire$' 2>/dev/null | head -n 1; }

wait_for_window() {
    local deadline=$(($(now_ns) + 10000000000)) window
    while :; do
        window=$(shown_window || true)
        if [ -n "$window" ] && [ "$window" != "${1:-}" ]; then
            echo "$window"
            return
        fi
        kill -0 "$pid" 2>/dev/null || { echo "the game has ended early" >&2; exit 1; }
        [ "$(now_ns)" -lt "$deadline" ] || { echo "no Vexmire window within 10 s" >&2; exit 1; }
        sleep 0.002
    done
}

# Share of one core, in percent, taken over the next sample_seconds.
cpu_share() {
    local ticks0 ticks1 t0 t1
    ticks0=$(cpu_ticks)
    t0=$(now_ns)
    sleep "$sample_seconds"
    ticks1=$(cpu_ticks)
    t1=$(now_ns)
    awk -v d="$((ticks1 - ticks0))" -v hz="$clock_ticks" -v ns="$((t1 - t0))" \
        'BEGIN { printf "%.2f", 100 * (d / hz) / (ns / 1e9) }'
}

start=$(now_ns)
"$game" >/dev/null 2>&1 &
pid=$!
title=$(wait_for_window)
echo "startup_ms=$((($(now_ns) - start) / 1000000))"

sleep 1  # let start-up settle before sampling
echo "title_cpu_percent=$(cpu_share)"

xdotool windowfocus --sync "$title"
xdotool key alt+n
form=$(wait_for_window "$title")
xdotool windowfocus --sync "$form"
xdotool keydown Right
sleep 1
echo "play_cpu_percent=$(cpu_share)"
xdotool keyup Right

awk '/^VmHWM:/ { printf "peak_rss_mb=%.1f\n", $2 / 1024 }' "/proc/$pid/status"
