# The game as the tests play it: started with a recording, its windows waited for, its
# recording read and replayed through vexmire-sim, and its player walked to places. Sourced by
# e2e.sh after the display server's functions.

readonly title=Vexmire
# The codes the rules receive for the keys the tests press.
# Variables of the game's environment, e.g. QT_SCREEN_SCALE_FACTORS=1.5.
game_env=()
# Screen pixels to a side for each of the game's pixels, in the screenshots.
picture_scale=1
# 1 while the game window is full screen.
full_screen=0
declare -A code_of=([Return]=13 [space]=32 [Left]=37 [Up]=38 [Right]=39 [Down]=40
    [a]=37 [w]=38 [d]=39 [s]=40)

# Starts the game recording into $recording and waits until its title window has the keyboard.
start_game() {
    title_window=""
    recording=$work/player/game.vxs
    rm -f "$recording"
    launch "$VEXMIRE" --record "$recording" "$@"
    game_pid=$launched
    title_window=$(await_window "the title window" "$game_pid" "$title")
    wait_for "the title window to have the keyboard" 60 window_has_keyboard "$title_window"
}

# Waits for a shown window of PID with TITLE other than the title window, and prints its id.
await_window() {
    local what=$1 pid=$2 name=$3 deadline=$((SECONDS + 60)) id
    while :; do
        id=$(find_window "$pid" "$name")
        if [ -n "$id" ] && [ "$id" != "${title_window:-}" ]; then
            echo "$id"
            return
        fi
        kill -0 "$pid" 2>/dev/null || fail "the game ended while waiting for $what"
        [ "$SECONDS" -lt "$deadline" ] || fail "waited 60 s for $what"
        sleep 0.05
    done
}

# After New Game: the game window is shown, the title window is gone, the keys go to the game.
await_game_window() {
    game_window=$(await_window "the game window" "$game_pid" "$title")
    wait_for "the title window to go" 60 window_gone "$game_pid" "$title_window"
    wait_for "the game window to have the keyboard" 60 window_has_keyboard "$game_window"
}

window_gone() {
    [ "$(find_window "$1" "$title")" != "$2" ] || return 1
    local id
    for id in $(find_window "$1" "$title"); do [ "$id" != "$2" ] || return 1; done
}

# Closes the game window through the window manager and expects the game to end with status 0
# within SECONDS.
close_game() {
    local seconds=${1:-30} status=0
    close_window "$game_window"
    wait_for "the game to end after its window was closed${attempt:+ ($attempt)}" "$seconds" \
        process_gone "$game_pid"
    wait "$game_pid" || status=$?
    [ "$status" -eq 0 ] ||
        fail "the game ended with status $status when its window was closed${attempt:+ ($attempt)}"
}

process_gone() { ! kill -0 "$1" 2>/dev/null; }

# The recording's complete lines, without its comments: a line still being written is left out.
recorded() {
    [ -f "$recording" ] || return 0
    if [ -n "$(tail -c 1 "$recording")" ]; then sed '$d' "$recording"; else cat "$recording"; fi |
        grep -v '^#' || true
}

# How many lines of the recording are exactly LINE.
count_recorded() { recorded | grep -cx "$1" || true; }

# The events of the recording without its tick runs, as one line: "newgame keydown 39 ...".
recorded_events() { recorded | grep -v '^tick ' | tr '\n' ' ' | sed 's/ $//'; }

# Ticks recorded so far.
recorded_ticks() { recorded | awk '$1 == "tick" { n += $2 } END { print n + 0 }'; }

more_ticks_than() { [ "$(recorded_ticks)" -gt "$1" ]; }

await_recorded() {
    local what=$1 line=$2 count=$3
    wait_for "$what (the line '$line' in the recording)" 60 recorded_at_least "$line" "$count"
}

recorded_at_least() {
    [ "$(count_recorded "$1")" -ge "$2" ] && return
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for '$1'"
    return 1
}

sim() { QT_QPA_PLATFORM=offscreen "$VEXMIRE_SIM" "$@"; }

# Replays the recording so far through vexmire-sim into $work/state.json.
replay_state() {
    { recorded; echo state; } | sim >"$work/replay.jsonl" ||
        fail "vexmire-sim refused the recording: $(tail -n 1 "$work/replay.jsonl")"
    jq -c 'select(.state) | .state' "$work/replay.jsonl" | tail -n 1 >"$work/state.json"
}

# A field of an entity in the replayed state: entity NAME FIELD, e.g. entity imgPlayer left.
entity() {
    jq -r --arg name "$1" --arg field "$2" '.entities[] | select(.name == $name) | .[$field]' \
        "$work/state.json"
}

game_variable() { jq -r --arg name "$1" '.vars[$name]' "$work/state.json"; }

# Whether the screen shows exactly what vexmire-sim draws from the recording so far.
screen_shows_replay() {
    screenshot "$game_window" "$work/screen.png"
    { recorded; echo "render $work/replay.png"; } | sim >/dev/null ||
        fail "vexmire-sim could not draw the replay"
    if [ "$picture_scale" != 1 ] && [ "$full_screen" != 1 ]; then
        convert "$work/replay.png" -filter point -resize "$((picture_scale * 100))%" \
            "$work/replay.png"
    fi
    # Full screen, the frame as the game's own layout and scaler place it on the screen; in a
    # window whose size rounds up to whole units, a spare row of floor below the frame.
    if [ "$full_screen" = 1 ]; then
        local x y w h
        read -r x y w h < <(window_geometry "$game_window")
        "$VEXMIRE_FRAME_SCALER" "$work/replay.png" "$work/replay.png" \
            "$((w * $(units_scale)))" "$((h * $(units_scale)))" ||
            fail "the frame scaler could not draw the replay full screen"
    else
        local frame
        frame=$(identify -format '%wx%h' "$work/replay.png")
        convert "$work/screen.png" -crop "$frame+0+0" +repage "$work/screen.png"
    fi
    pixels_differing=$(compare -metric AE "$work/screen.png" "$work/replay.png" \
        "$work/difference.png" 2>&1 >/dev/null || true)
    [ "$pixels_differing" = 0 ]
}

# The last frame on screen is the replay's: polled, since the window may still be repainting.
expect_screen_shows_replay() {
    local deadline=$((SECONDS + 20))
    until screen_shows_replay; do
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "the screen differs from the replay of the recording in $pixels_differing" \
                "pixels (screen.png, replay.png, difference.png)"
        sleep 0.2
    done
}

# The window's title is TITLE.
window_title_is() { [ "$(window_title "$1")" = "$2" ]; }

# The window lies at "X Y WIDTH HEIGHT".
window_geometry_is() { [ "$(window_geometry "$1")" = "$2" ]; }

expect_window_size() {
    local x y w h
    read -r x y w h < <(window_geometry "$1")
    [ "${w}x$h" = "$2" ] || fail "the $3 is ${w}x$h on the screen, not $2"
}

# Holds KEY for about TICKS ticks of the game and releases it; returns when the release has
# reached the rules, so that the recording then tells exactly where the player is.
hold_key() {
    local key=$1 ticks=$2 ups
    ups=$(count_recorded "keyup ${code_of[$key]}")
    key_down "$key"
    sleep "$(awk -v t="$ticks" 'BEGIN { printf "%.3f", t / 64 }')"
    key_up "$key"
    await_recorded "the release of $key" "keyup ${code_of[$key]}" $((ups + 1))
}

# Walks the player until its AXIS (left or top) lies within LOW..HIGH, as a player would: a long
# walk most of the way, then shorter steps, each checked against the replayed recording. The
# route between must be free of walls.
walk_to() {
    local axis=$1 low=$2 high=$3 tries=0 at key ticks
    while :; do
        replay_state
        at=$(entity imgPlayer "$axis")
        if [ "$at" -ge "$low" ] && [ "$at" -le "$high" ]; then return; fi
        tries=$((tries + 1))
        [ "$tries" -le 20 ] ||
            fail "could not walk the player's $axis to $low..$high: it stays at $at" \
                "($(entity imgPlayer left), $(entity imgPlayer top))"
        if [ "$at" -lt "$low" ]; then
            ticks=$(((low + high) / 2 - at))
            key=$([ "$axis" = left ] && echo Right || echo Down)
        else
            ticks=$((at - (low + high) / 2))
            key=$([ "$axis" = left ] && echo Left || echo Up)
        fi
        # Two pixels a tick; three quarters of the way at once, since ticks come late as often
        # as early on a busy machine.
        hold_key "$key" $((ticks * 3 / 8 > 1 ? ticks * 3 / 8 : 1))
    done
}

# Walks with KEYS held (e.g. "Right space") until a dialog called NAME opens, and lets go of
# them there; its window is then $dialog.
walk_into_dialog() {
    local keys=$1 name=$2 key
    for key in $keys; do key_down "$key"; done
    dialog=$(await_window "the dialog \"$name\"" "$game_pid" "$name")
    wait_for "the dialog \"$name\" to have the keyboard" 60 window_has_keyboard "$dialog"
    for key in $keys; do key_up "$key"; done
}
