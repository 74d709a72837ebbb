# The test's working folder, its processes and how it ends: sourced by e2e.sh.
#
# Every process a test starts is noted and ended when the test ends, however it ends. A test
# fails with one line saying what it waited for or what it saw; its files then stay in
# $E2E_ARTIFACTS/NAME for a look.

# The programs a test needs; each missing one fails the test by name.
need() {
    local tool missing=()
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
    done
    [ ${#missing[@]} -eq 0 ] ||
        fail "missing ${missing[*]}: install the end-to-end test packages with 'make e2e-setup'"
}

# Notes a process to end when the test ends.
started=()
track() { started+=("$1"); }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

note() { echo "e2e: $*"; }

start_harness() {
    test_name=$1
    local tool
    for tool in VEXMIRE VEXMIRE_SIM; do
        [ -x "${!tool:-}" ] || fail "$tool does not name a built program (run the test from CTest)"
    done
    need compare setpriv
    work=$(mktemp -d /tmp/vexmire-e2e.XXXXXX)
    # The player may be another user (see player.sh): let it reach its own folder below.
    chmod 755 "$work"
    artifacts=${E2E_ARTIFACTS:-$work/artifacts}/$test_name
    rm -rf "$artifacts"
    trap end_harness EXIT
    # Stopped from outside (CTest's time limit), the test still ends what it started.
    trap 'exit 143' TERM INT
}

end_harness() {
    local status=$? i pid
    if [ "$status" -ne 0 ] && [ ${#started[@]} -gt 0 ]; then
        # What each process was doing when the test gave up: a program stuck shows here.
        ps -o pid,stat,wchan:32,args -p "$(IFS=,; echo "${started[*]}")" >"$work/processes.txt" \
            2>&1 || true
        for pid in "${started[@]}"; do
            grep -H . "/proc/$pid/task/"*/wchan >>"$work/processes.txt" 2>/dev/null || true
        done
        # And what the display server showed.
        server_snapshot >/dev/null 2>&1 || true
    fi
    # The last process started is ended first: the game before its keyboard and its server.
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        pid=${started[i]}
        kill "$pid" 2>/dev/null || continue
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        mkdir -p "$artifacts"
        cp -r "$work"/. "$artifacts"/ 2>/dev/null || true
        rm -rf "$artifacts/programs" "$artifacts/player/runtime"
        echo "e2e: the test's files are in $artifacts" >&2
    fi
    rm -rf "$work"
    exit "$status"
}

pass() {
    note "passed"
    exit 0
}

# Microseconds since the epoch, from bash's own clock.
now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

# Waits up to SECONDS (may be fractional) for COMMAND to succeed, polling; fails naming WHAT it
# waited for. The limits are generous: a busy machine may take seconds for what an idle one does
# at once.
wait_for() {
    local what=$1 seconds=$2
    shift 2
    local deadline=$(($(now_us) + $(awk -v s="$seconds" 'BEGIN { printf "%d", s * 1e6 }')))
    until "$@"; do
        [ "$(now_us)" -lt "$deadline" ] || fail "waited ${seconds} s for $what"
        sleep 0.05
    done
}

# Keeps both cores busy, as other programs on a player's machine may, until the test ends.
load_the_cpu() {
    local i
    for i in 1 2; do
        bash -c 'while :; do :; done' &
        track $!
        busy+=($!)
    done
}
busy=()

stop_loading_the_cpu() {
    local pid
    for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
    busy=()
}
