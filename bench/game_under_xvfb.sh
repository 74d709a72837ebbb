#!/bin/bash
# Starts the real game under a virtual X server and measures it the way a player would run it:
# how long until the title window is on screen, the share of one core it takes and the times a
# second it wakes up sitting at the title window, standing still in the game and walking with an
# arrow held, and its peak resident memory. Prints one NAME=VALUE line per figure.
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
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; true' EXIT

now_ns() { date +%s%N; }

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

# Nanoseconds on a core and voluntary context switches (each a wake-up from sleep), summed over
# every thread of the game so far.
cpu_ns() { cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { print n + 0 }'; }
wakeups() {
    cat /proc/"$pid"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches:/ { n += $2 } END { print n + 0 }'
}

# The share of one core in percent and the wake-ups a second over the next sample_seconds,
# as "PERCENT WAKEUPS".
sample() {
    local ns0 ns1 w0 w1 t0 t1
    ns0=$(cpu_ns) w0=$(wakeups) t0=$(now_ns)
    sleep "$sample_seconds"
    ns1=$(cpu_ns) w1=$(wakeups) t1=$(now_ns)
    awk -v ns="$((ns1 - ns0))" -v w="$((w1 - w0))" -v t="$((t1 - t0))" \
        'BEGIN { printf "%.3f %.1f\n", 100 * ns / t, w / (t / 1e9) }'
}

# NAME_cpu_percent and NAME_wakeups_per_s of a sample.
report() {
    local percent per_second
    read -r percent per_second < <(sample)
    echo "${1}_cpu_percent=$percent"
    echo "${1}_wakeups_per_s=$per_second"
}

start=$(now_ns)
"$game" >/dev/null 2>&1 &
pid=$!
title=$(wait_for_window)
echo "startup_ms=$((($(now_ns) - start) / 1000000))"

sleep 1  # let start-up settle before sampling
report title

xdotool windowfocus --sync "$title"
xdotool key alt+n
form=$(wait_for_window "$title")
xdotool windowfocus --sync "$form"
sleep 1
report standing

xdotool keydown Right
sleep 1
report play
xdotool keyup Right

awk '/^VmHWM:/ { printf "peak_rss_mb=%.1f\n", $2 / 1024 }' "/proc/$pid/status"
