#!/bin/bash
# Runs every benchmark of the game and prints each figure beside its budget. The raw results
# (Google Benchmark CSV) stay in BUILD_DIR/bench-results. Exits with status 1 when a figure is
# over its budget.
#
#   bench/run_bench.sh [BUILD_DIR [PAGE_DIR]]
#   (defaults: build-bench, built with -DVEXMIRE_WITH_BENCH=ON; build-web, built by make web)
set -uo pipefail

build=${1:-build-bench}
page=${2:-build-web}
bin="$build/bin"
results="$build/bench-results"
here=$(dirname "$0")
mkdir -p "$results"

load_at_start=$(cut -d ' ' -f 1-3 /proc/loadavg)

# Repetitions interleaved at random, so that a figure and the one it is held against see the
# same machine; each figure is the median of its repetitions.
run_benchmark() {
    local program=$1 name=$2
    shift 2
    echo "== $program"
    QT_QPA_PLATFORM=offscreen "$bin/$program" --benchmark_out="$results/$name.csv" --benchmark_out_format=csv "$@"
}

# COLUMN of benchmark NAME in a CSV result, converted to microseconds for the time columns.
value() {
    awk -F, -v name="\"$2\"" -v column="$3" '
        /^name,/ { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); at[$i] = i } next }
        $1 == name {
            v = $(at[column])
            if (column ~ /_time$/) {
                unit = $(at["time_unit"])
                v *= unit == "ns" ? 0.001 : unit == "ms" ? 1000 : unit == "s" ? 1e6 : 1
            }
            print v
        }' "$results/$1.csv"
}

run_benchmark vexmire_tick_bench tick --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
run_benchmark vexmire_paint_bench paint --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
run_benchmark vexmire_pacing_bench pacing

# vexmire-sim's own cost per tick, in CPU time: a million ticks less none. The machine's speed
# drifts over seconds, so it is held against BM_TickQuiet, the same ticks in the benchmark,
# in five rounds run back to back; the round with the median ratio is the figure.
echo "== vexmire-sim tick 1000000 against BM_TickQuiet, five rounds"
sim_seconds() {
    local TIMEFORMAT='%3U %3S'
    { time printf 'newgame\ntick %s\n' "$1" | "$bin/vexmire-sim" >/dev/null; } 2>&1 |
        awk '{ print $1 + $2 }'
}
sim_none=$(sim_seconds 0)
rounds=""
for round in 1 2 3 4 5; do
    "$bin/vexmire_tick_bench" --benchmark_filter='BM_TickQuiet$' \
        --benchmark_min_time=2 --benchmark_out="$results/quiet$round.csv" \
        --benchmark_out_format=csv >/dev/null 2>&1
    bench_us=$(value "quiet$round" BM_TickQuiet cpu_time)
    # Seconds for a million ticks are microseconds for one.
    sim_us=$(awk -v a="$sim_none" -v b="$(sim_seconds 1000000)" 'BEGIN { print b - a }')
    echo "round $round: vexmire-sim $sim_us us a tick, BM_TickQuiet $bench_us us"
    rounds+="$(awk -v s="$sim_us" -v b="$bench_us" 'BEGIN { print s / b, s, b }')"$'\n'
done
read -r _ sim_tick_us quiet < <(printf '%s' "$rounds" | sort -g | sed -n 3p)

echo "== the game under Xvfb"
xvfb_figures=$("$here/game_under_xvfb.sh" "$bin") || echo "the game under Xvfb did not finish" >&2
echo "$xvfb_figures"
xvfb() { sed -n "s/^$1=//p" <<<"$xvfb_figures"; }

# The page as a player's browser fetches it, each file compressed on its own, and the page played
# in a headless Chromium.
echo "== the page in headless Chromium"
page_bytes=$(for file in index.html page_gamepad.js page.js page.css vexmire.js vexmire.wasm; do
    gzip -9 -c "$page/$file" | wc -c; done | awk '{ total += $1 } END { print total }')
page_figures=$(/usr/bin/python3 "$here/page_bench.py" "$page") ||
    echo "the page in headless Chromium did not finish" >&2
echo "$page_figures"
page() { sed -n "s/^$1=//p" <<<"$page_figures"; }

tick=$(value tick BM_Tick_median cpu_time)
floor=$(value tick BM_TickFloor_median cpu_time)
paint=$(value paint BM_PaintGame_median cpu_time)
frame=$(value paint BM_WalkingFrame_median cpu_time)
pacing=BM_Pacing/iterations:1/real_time

awk -v load="$load_at_start" \
    -v tick="$tick" -v floor="$floor" -v quiet="$quiet" -v paint="$paint" -v frame="$frame" \
    -v sim="$sim_tick_us" \
    -v rate="$(value pacing "$pacing" ticks_per_s)" -v p50="$(value pacing "$pacing" p50_ms)" \
    -v p99="$(value pacing "$pacing" p99_ms)" -v max="$(value pacing "$pacing" max_ms)" \
    -v title="$(xvfb title_cpu_percent)" -v play="$(xvfb play_cpu_percent)" \
    -v standing="$(xvfb standing_cpu_percent)" -v titlewake="$(xvfb title_wakeups_per_s)" \
    -v standingwake="$(xvfb standing_wakeups_per_s)" -v playwake="$(xvfb play_wakeups_per_s)" \
    -v startup="$(xvfb startup_ms)" -v rss="$(xvfb peak_rss_mb)" \
    -v pagebytes="$page_bytes" -v pagefresh="$(page fresh_title_ms)" \
    -v pagelater="$(page later_title_ms)" -v pagetick="$(page tick_us)" \
    -v pagerate="$(page ticks_per_s)" -v pagep50="$(page p50_ms)" -v pagep99="$(page p99_ms)" \
    -v pagemax="$(page max_ms)" '
    function row(what, measured, budget, holds) {
        verdict = budget == "" ? "" : holds ? "ok" : "OVER BUDGET"
        printf "  %-44s %-22s %-16s %s\n", what, measured, budget, verdict
        if (budget != "" && !holds) over++
    }
    function known(v) { return v != "" }
    BEGIN {
        period_ms = 15.625
        printf "\nVexmire performance (load average %s at the start; times are CPU time, medians)\n",
            load
        printf "  %-44s %-22s %-16s\n", "figure", "measured", "budget"
        row("tick, busy state (BM_Tick)", sprintf("%.2f us", tick), "<= 1.5 us",
            known(tick) && tick <= 1.5)
        row("its rectangle tests alone (BM_TickFloor)", sprintf("%.2f us", floor))
        ratio = known(tick) && known(floor) ? sprintf("%.2f x", tick / floor) : "n/a"
        row("tick against its floor", ratio)
        row("paint, whole window, busy, hint (BM_PaintGame)", sprintf("%.3f ms", paint / 1000))
        row("one tick + one paint", sprintf("%.3f ms", (tick + paint) / 1000),
            sprintf("<= %.3f ms", 0.05 * period_ms), known(paint) && tick + paint <= 50 * period_ms)
        row("frame while walking (BM_WalkingFrame)", sprintf("%.1f us", frame))
        row("vexmire-sim tick 1000000, per tick", sprintf("%.2f us", sim))
        ratio = known(quiet) ? sprintf("%.2f x (%.2f us)", sim / quiet, quiet) : "n/a"
        row("  against BM_TickQuiet in the same round", ratio, "<= 1.2 x",
            ratio != "n/a" && sim <= 1.2 * quiet)
        row("pacing: ticks a second (10 s, real clock)", sprintf("%.3f", rate), "64 +- 0.5 %",
            known(rate) && rate >= 64 * 0.995 && rate <= 64 * 1.005)
        row("pacing: interval p50 / p99 / largest",
            sprintf("%.1f / %.1f / %.1f ms", p50, p99, max), "p99 < 20 ms", known(p99) && p99 < 20)
        row("wake-ups a second at the title window", titlewake, "<= 1",
            known(titlewake) && titlewake <= 1)
        row("CPU share at the title window", sprintf("%s %%", title), "< 0.05 %",
            known(title) && title < 0.05)
        row("wake-ups a second standing still in play", standingwake, "<= 1",
            known(standingwake) && standingwake <= 1)
        row("CPU share standing still in play", sprintf("%s %%", standing), "< 0.05 %",
            known(standing) && standing < 0.05)
        row("wake-ups a second walking, arrow held", playwake)
        row("CPU share walking, arrow held", sprintf("%s %%", play), "<= 4 %",
            known(play) && play <= 4)
        row("start-up to the title window shown", sprintf("%s ms", startup), "< 300 ms",
            known(startup) && startup < 300)
        row("peak resident memory", sprintf("%s MB", rss), "< 80 MB", known(rss) && rss < 80)
        row("page: its files, each gzip -9", sprintf("%d bytes", pagebytes), "< 1,000,000 bytes",
            known(pagebytes) && pagebytes > 0 && pagebytes < 1000000)
        row("page: navigation to the title, fresh browser", sprintf("%s ms", pagefresh),
            "< 1000 ms", known(pagefresh) && pagefresh < 1000)
        row("page: the same, later loads", sprintf("%s ms", pagelater))
        row("page: a tick in WebAssembly, walking", sprintf("%s us", pagetick))
        ratio = known(pagetick) && known(tick) ? sprintf("%.1f x", pagetick / tick) : "n/a"
        row("  against BM_Tick", ratio)
        row("page: ticks a second (10 s of play)", sprintf("%s", pagerate), "64 +- 0.5 %",
            known(pagerate) && pagerate >= 64 * 0.995 && pagerate <= 64 * 1.005)
        row("page: interval p50 / p99 / largest",
            sprintf("%s / %s / %s ms", pagep50, pagep99, pagemax), "p99 < 20 ms",
            known(pagep99) && pagep99 < 20)
        if (over) { printf "\n%d figure(s) over budget\n", over; exit 1 }
        printf "\nEvery figure is within its budget.\n"
    }'
