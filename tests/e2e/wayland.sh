# The Wayland compositor: sway with its headless back end on an output of $screen_size at
# $screen_scale, keys typed on one virtual keyboard that lives as long as the test
# (wayland_keyboard.cpp), screenshots by grim. Sourced by e2e.sh; the functions are the ones
# x11.sh has.
#
# sway refuses to run as root, so a test run by root plays as the user vexmire-e2e (made by
# `make e2e-setup`): the compositor, the game and every client run as that user, in a runtime
# folder of its own, with copies of the programs it may not otherwise reach.

readonly e2e_user=vexmire-e2e

# The words that run a command as the player, with only the environment given here, into the
# array player_command (so that a process started in the background is the command itself).
make_player_command() {
    local env=(PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/player"
        XDG_RUNTIME_DIR="$work/player/runtime" LANG=C.UTF-8)
    [ -n "${wayland_display:-}" ] && env+=(WAYLAND_DISPLAY="$wayland_display")
    [ -n "${sway_socket:-}" ] && env+=(SWAYSOCK="$sway_socket")
    player_command=(env -i "${env[@]}")
    if [ "$(id -u)" = 0 ]; then
        player_command=(setpriv --reuid="$e2e_user" --regid="$e2e_user" --clear-groups
            "${player_command[@]}")
    fi
}

as_player() {
    make_player_command
    "${player_command[@]}" "$@"
}

server_start() {
    need sway swaymsg grim jq
    [ -x "${VEXMIRE_WAYLAND_KEYBOARD:-}" ] ||
        fail "VEXMIRE_WAYLAND_KEYBOARD does not name the built virtual keyboard" \
            "(libwayland-dev missing when the build was configured? run 'make e2e-setup')"
    if [ "$(id -u)" = 0 ]; then
        id "$e2e_user" >/dev/null 2>&1 ||
            fail "no user $e2e_user to run sway as (root may not): run 'make e2e-setup'"
    fi
    # The game's own program goes where the launcher looks for it: at the same place relative
    # to the launcher as in the build.
    local game_folder
    game_folder=$work/programs/bin/$(realpath --relative-to="$(dirname "$VEXMIRE")" \
        "$(dirname "$VEXMIRE_GAME")")
    mkdir -p "$work/programs/bin" "$game_folder" "$work/player/runtime"
    cp "$VEXMIRE" "$VEXMIRE_WAYLAND_KEYBOARD" "$work/programs/bin/"
    cp "$VEXMIRE_GAME" "$game_folder/"
    VEXMIRE=$work/programs/bin/$(basename "$VEXMIRE")
    keyboard_program=$work/programs/bin/$(basename "$VEXMIRE_WAYLAND_KEYBOARD")
    chmod -R a+rX "$work/programs"
    chmod 700 "$work/player/runtime"
    [ "$(id -u)" = 0 ] && chown -R "$e2e_user:" "$work/player"
    cat >"$work/sway.conf" <<EOF
xwayland disable
output HEADLESS-1 resolution $screen_size position 0 0 scale $screen_scale
default_border none
default_floating_border none
focus_follows_mouse no
for_window [app_id="org.vexmire.Vexmire"] floating enable
EOF
    make_player_command
    "${player_command[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
    server_pid=$!
    track "$server_pid"
    wait_for "sway to start" 30 compositor_ready
    wayland_display=$(cd "$work/player/runtime" && ls wayland-? | head -n 1)
    sway_socket=$(ls "$work/player/runtime"/sway-ipc.*.sock | head -n 1)
    # The one keyboard of the seat, there before any window as on a desktop.
    make_player_command
    coproc keyboard { exec "${player_command[@]}" "$keyboard_program" 2>>"$work/keyboard.log"; }
    track "$keyboard_PID"
    local reply=""
    read -r -t 30 -u "${keyboard[0]}" reply || true
    [ "$reply" = ready ] || fail "the virtual keyboard did not start: $(cat "$work/keyboard.log")"
}

compositor_ready() {
    ls "$work/player/runtime"/wayland-? >/dev/null 2>&1 &&
        ls "$work/player/runtime"/sway-ipc.*.sock >/dev/null 2>&1
}

launch() {
    make_player_command
    "${player_command[@]}" QT_QPA_PLATFORM=wayland "${game_env[@]}" "$@" >>"$work/game.log" 2>&1 &
    launched=$!
    track "$launched"
}

# Every window sway shows, one JSON object a line.
windows() {
    as_player swaymsg -t get_tree |
        jq -c 'recurse(.nodes[]?, .floating_nodes[]?) | select(.pid != null and .visible)'
}

find_window() {
    windows | jq -r --argjson pid "$1" --arg title "$2" \
        'select(.pid == $pid and .name == $title) | .id' | head -n 1
}

window_geometry() {
    windows | jq -r --argjson id "$1" \
        'select(.id == $id) | "\(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"'
}

# Screen pixels to a side for each unit of the window system's sizes: sway counts the desktop's
# units, $screen_scale screen pixels each.
units_scale() { echo "$screen_scale"; }

window_title() {
    windows | jq -r --argjson id "$1" 'select(.id == $id) | .name'
}

window_full_screen() {
    [ "$(windows | jq -r --argjson id "$1" 'select(.id == $id) | .fullscreen_mode')" = 1 ]
}

window_manager_full_screen() {
    as_player swaymsg "[con_id=$1] fullscreen $([ "$2" = on ] && echo enable || echo disable)" \
        >/dev/null
}

window_has_keyboard() {
    [ "$(windows | jq -r 'select(.focused) | .id')" = "$1" ]
}

focus_window() {
    as_player swaymsg "[con_id=$1] focus" >/dev/null || true
}

close_window() {
    as_player swaymsg "[con_id=$1] kill" >/dev/null
}

move_window() {
    as_player swaymsg "[con_id=$1] move position $2 $3" >/dev/null
}

screenshot() {
    local x y w h
    read -r x y w h < <(window_geometry "$1")
    as_player grim -g "$x,$y ${w}x$h" "$work/player/shot.png"
    cp "$work/player/shot.png" "$2"
}

# One line to the virtual keyboard, answered once the compositor has the event.
keyboard_says() {
    local reply=""
    echo "$1" >&"${keyboard[1]}"
    read -r -t 30 -u "${keyboard[0]}" reply || true
    [ "$reply" = ok ] || fail "the virtual keyboard did not take '$1': $reply"
}

key_down() { keyboard_says "down $1"; }
key_up() { keyboard_says "up $1"; }
key_tap() { keyboard_says "tap $1"; }
key_alt() {
    keyboard_says "down Alt_L"
    keyboard_says "tap $1"
    keyboard_says "up Alt_L"
}

# The screen and its windows, for a test that failed.
server_snapshot() {
    as_player swaymsg -t get_tree >"$work/windows.json"
    as_player grim "$work/player/whole-screen.png"
}
