# What the end-to-end tests play, one function a case; each begins with the display server
# running and nothing else. Sourced by e2e.sh.

# The recording's events (tick runs left out) must match the extended regular expression.
expect_events() {
    local events
    events=$(recorded_events)
    [[ "$events" =~ $1 ]] || fail "$2: the rules received '$events'"
}

# Ticks recorded between the first line FROM and the first line TO after it.
ticks_between() {
    recorded | awk -v from="$1" -v to="$2" '
        $0 == from && !on { on = 1; next }
        on && $0 == to { print n + 0; exit }
        on && $1 == "tick" { n += $2 }'
}

start_new_game_by_space() {
    start_game
    key_tap space
    await_game_window
}

# A key pressed as soon as the game window is there is the player's first step, not lost while
# the window becomes active.
first_step_and_a_look() {
    hold_key Right 12
    replay_state
    [ "$(entity imgPlayer left)" -gt 24 ] || fail "the first step did not move the player"
    expect_screen_shows_replay
    close_game
}

case_new_game_by_space() {
    start_new_game_by_space
    first_step_and_a_look
    expect_events '^newgame( keydown 39)+ keyup 39$' "New Game by Space, then one step"
}

case_new_game_by_alt_n() {
    start_game
    key_alt n
    await_game_window
    first_step_and_a_look
    # The releases of Alt and N may reach the game window once it is shown; nothing else may.
    expect_events '^newgame( keyup (18|78))*( keydown 39)+ keyup 39$' "New Game by Alt+N"
}

case_held_arrow() {
    start_new_game_by_space
    hold_key Right 48
    # Repeats of a held key are key-downs only: a key-up would stop the player half way.
    expect_events '^newgame( keydown 39)+ keyup 39$' "Right held"
    local ticks
    ticks=$(ticks_between "keydown 39" "keyup 39")
    replay_state
    # Under 90 ticks the player cannot reach the start room's right wall.
    if [ "$ticks" -lt 90 ]; then
        [ "$(entity imgPlayer left)" -eq $((24 + 2 * ticks)) ] ||
            fail "Right held for $ticks ticks moved the player to $(entity imgPlayer left)"
    fi
    expect_screen_shows_replay
    close_game
}

case_two_held_arrows_on_a_busy_machine() {
    start_new_game_by_space
    load_the_cpu
    local downs
    downs=$(count_recorded "keydown 40")
    key_down Right
    await_recorded "Right pressed" "keydown 39" 1
    key_down Down
    await_recorded "Down pressed" "keydown 40" $((downs + 1))
    sleep 1.5
    # Both keys are still down: nothing may have let go of either.
    expect_events '^newgame( keydown 39)+( keydown 40)+$' "Right and Down held on a busy machine"
    key_up Down
    key_up Right
    stop_loading_the_cpu
    await_recorded "the release of Right" "keyup 39" 1
    expect_events '^newgame( keydown 39)+( keydown 40)+ keyup 40 keyup 39$' \
        "Right and Down held on a busy machine, then released"
    replay_state
    [ "$(entity imgPlayer left)" -gt 24 ] && [ "$(entity imgPlayer top)" -gt 256 ] ||
        fail "the player did not walk diagonally: it stands at" \
            "($(entity imgPlayer left), $(entity imgPlayer top))"
    expect_screen_shows_replay
    close_game
}

case_space_held_on_the_title_window() {
    start_game
    key_down space
    sleep 1.5
    key_up space
    await_game_window
    hold_key Right 4
    # The held Space pressed New Game once and fired nothing into the new game.
    expect_events '^newgame( keyup 32)?( keydown 39)+ keyup 39$' "Space held on the title window"
    replay_state
    [ "$(game_variable shotsFired)" -eq 0 ] || fail "$(game_variable shotsFired) balls were fired"
    expect_screen_shows_replay
    close_game
}

case_another_application_takes_the_keyboard() {
    start_new_game_by_space
    key_down Right
    await_recorded "Right pressed" "keydown 39" 1
    # Another program's window opens and takes the keyboard while Right is held.
    launch "$VEXMIRE"
    local other_pid=$launched other
    other=$(await_window "another application's window" "$other_pid" "$title")
    wait_for "the other window to have the keyboard" 60 window_has_keyboard "$other"
    await_recorded "the game to let go of the held key" "keyup 39" 1
    local frozen
    frozen=$(recorded)
    sleep 3
    [ "$(recorded)" = "$frozen" ] ||
        fail "the rules ran while another application had the keyboard:" \
            "$(diff <(echo "$frozen") <(recorded) | grep '^>' | tr '\n' ' ')"
    key_up Right
    focus_window "$game_window"
    wait_for "the game window to have the keyboard again" 60 window_has_keyboard "$game_window"
    # The figure stands still, so the game rests and records nothing until the player walks on.
    hold_key Right 4
    expect_events '^newgame( keydown 39)+ keyup 39( keydown 39)+ keyup 39$' \
        "Right held while another window took over, then a step back at the game"
    close_window "$other"
    wait_for "the other program to end" 30 process_gone "$other_pid"
    expect_screen_shows_replay
    close_game
}

# The whole way to the clue and the keypad, as tests/replays/win_the_game.vxs goes, stopping
# where each step of the puzzle waits; the windows are what the rules need at each place.
case_clue_and_keypad_from_the_keyboard() {
    start_new_game_by_space
    walk_to left 160 200  # beside wall 11, below the gap to the passage
    walk_to top 130 160   # in the passage under the enemy's room
    walk_to left 74 90    # across the line that wakes the enemy, under it
    hold_key Up 2         # turn up
    key_tap space
    wait_for "the ball to defeat the enemy" 20 enemy_defeated
    walk_to top 20 38     # onto the key where the enemy stood
    walk_to left 280 320
    walk_to top 230 270
    walk_to left 750 790
    walk_to top 130 160
    walk_to left 390 440  # below the red door
    walk_to top 117 128   # on the door's hint
    press_enter_for "the red door to open" "shpObstacle(15)" -200
    walk_to top 25 60     # into the room behind it
    walk_to left 755 775  # at the lever
    press_enter_for "the lever to be pulled" "shpObstacle(17)" 790
    walk_to left 390 440
    walk_to top 130 160

    # The note, walked into firing: its message holds the game still, ignores the fire key
    # held into it and its release, and closes only with a fresh Enter.
    answer_dialog_walked_into "${E2E_HELD_INTO_CLUE:-Right space}" "Clue!" "the clue is shown" Return
    grep -qF '"title":"Clue!"' "$work/replay.jsonl" || fail "the replay shows no clue"
    [ "$(entity "shpObstacle(30)" left)" = -100 ] || fail "the note is still there"

    walk_to left 740 790  # past the end of wall 7
    walk_to top 230 270
    walk_to left 280 320  # through the door the lever opened
    walk_to top 340 370
    walk_to left 25 60
    walk_to top 600 650   # below the jail's wall
    walk_to left 130 142  # below the keypad

    answer_dialog_walked_into Up "Key Pad" "the keypad asks for the code" 3 9 1 6 Return
    grep -qF '"answer":"3916"' "$work/replay.jsonl" || fail "the replay's keypad got no 3916"
    [ "$(entity "shpObstacle(1)" left)" = -100 ] || fail "the jail door did not open"
    expect_screen_shows_replay
    close_game
}

enemy_defeated() {
    replay_state
    [ "$(entity imgenemy visible)" = false ]
}

# Presses Enter where a hint offers it, and expects ENTITY to move to LEFT.
press_enter_for() {
    local what=$1 name=$2 left=$3
    hold_key Return 1
    replay_state
    [ "$(entity "$name" left)" = "$left" ] ||
        fail "Enter did not make $what: the hint read '$(entity lblTip caption)', the player" \
            "stood at ($(entity imgPlayer left), $(entity imgPlayer top))"
}

# Walks with the keys HELD into the dialog titled NAME, expects the game to hold still while
# WHAT and the dialog to stay open, types KEYS into it (the last one answers it), and replays
# the recording so far.
answer_dialog_walked_into() {
    local held=$1 name=$2 what=$3 key
    shift 3
    walk_into_dialog "$held" "$name"
    expect_nothing_runs_while "$what"
    [ -n "$(find_window "$game_pid" "$name")" ] ||
        fail "the dialog \"$name\" closed under the keys held into it ($held)"
    for key in "$@"; do key_tap "$key"; done
    await_dialog_closed "$name"
    expect_standing_where_let_go
}

# While a dialog of the game is open, no tick and no key reaches the rules.
expect_nothing_runs_while() {
    local frozen
    frozen=$(recorded)
    sleep 2
    [ "$(recorded)" = "$frozen" ] || fail "the rules ran while $1"
}

await_dialog_closed() {
    wait_for "the dialog \"$1\" to close" 60 dialog_closed "$1"
    # The window manager gives the keyboard back to the game window; else a player clicks it.
    local deadline=$((SECONDS + 5))
    until window_has_keyboard "$game_window" || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.05; done
    focus_window "$game_window"
    wait_for "the game window to have the keyboard" 60 window_has_keyboard "$game_window"
}

dialog_closed() { [ -z "$(find_window "$game_pid" "$1")" ]; }

# The key held into a dialog was released there: once the dialog has closed the game hears one
# key-up, and the figure stands where the player let go while the game ticks on.
expect_standing_where_let_go() {
    local ticks
    ticks=$(recorded_ticks)
    wait_for "the game to tick after the dialog" 60 more_ticks_than "$((ticks + 8))"
    replay_state
    [ "$(game_variable playerDX)" = 0 ] && [ "$(game_variable playerDY)" = 0 ] ||
        fail "the figure walks on by itself after the dialog, by" \
            "($(game_variable playerDX), $(game_variable playerDY)) a tick"
}

# Quit on the title window rings the bell once and ends the game, with nothing on the terminal.
# No sound server runs here, so the bell heard is the X server's own.
case_quit_rings_the_bell_quietly() {
    need "${VEXMIRE_BELL_LISTENER:-vexmire_bell_listener}"
    "$VEXMIRE_BELL_LISTENER" >"$work/bells" 2>&1 &
    track $!
    wait_for "the bell listener to listen" 30 grep -qx listening "$work/bells"
    start_game
    key_alt q
    wait_for "the game to end after Quit" 30 process_gone "$game_pid"
    local status=0
    wait "$game_pid" || status=$?
    [ "$status" -eq 0 ] || fail "Quit ended the game with status $status"
    wait_for "the bell to ring" 30 grep -qx bell "$work/bells"
    [ "$(grep -cx bell "$work/bells")" = 1 ] || fail "the bell rang $(grep -cx bell "$work/bells") times"
    [ ! -s "$work/game.log" ] || fail "the game wrote to the terminal: $(head -n 3 "$work/game.log")"
}

case_closing_the_game_window_twenty_times() {
    local i
    for i in $(seq 20); do
        attempt="close $i of 20"
        start_new_game_by_space
        close_game 2
    done
}

# The display server ends under the game (the session ends, the server dies): the game ends at
# once, with status 1 and the toolkit's one line, and leaves a recording that plays up to it.
case_the_display_server_goes_away() {
    start_new_game_by_space
    hold_key Right 1
    kill "$server_pid"
    wait_for "the game to end with its display server" 5 process_gone "$game_pid"
    local status=0
    wait "$game_pid" || status=$?
    [ "$status" -eq 1 ] || fail "the game ended with status $status without its display server"
    grep -q 'connection broke' "$work/game.log" ||
        fail "the toolkit did not say why the game ended: $(tail -n 1 "$work/game.log")"
    tail -n 1 "$work/game.log" | grep -q '^vexmire: the display server went away' ||
        fail "the game's own line did not follow the toolkit's: $(tail -n 1 "$work/game.log")"
    expect_events '^newgame keydown 39 keyup 39$' "walking right once"
    replay_state
}

# At 200% on a 3840 x 2160 screen the game draws at 2x, each of its pixels a square of four on
# the screen, text included: by its own factor on X11, by the compositor's scale on Wayland.
screen_for_screen_fit_at_200_percent() {
    screen_size=3840x2160
    screen_scale=2
}

case_screen_fit_at_200_percent() {
    # sway gives a window's size in the desktop's units, X11 in the screen's pixels.
    if [ "$server" = x11 ]; then expect_windows_drawn_at 2 2; else expect_windows_drawn_at 1 2; fi
}

# At 200% on a 1920 x 1080 screen only 1x fits: one screen pixel to each pixel of the game, both
# windows whole on the screen. On Wayland a window's units are two screen pixels each: the game
# window of 419 x 380 units holds the frame and one spare row of floor.
screen_for_screen_fit_at_200_percent_on_1080p() {
    screen_scale=2
}

case_screen_fit_at_200_percent_on_1080p() {
    local units=1
    [ "$server" = x11 ] || units=2
    start_game
    expect_window_size "$title_window" "312x206" "title window"
    expect_window_on_screen "$title_window" "title window" "$units"
    key_tap space
    await_game_window
    if [ "$server" = x11 ]; then
        expect_window_size "$game_window" "838x759" "game window"
    else
        expect_window_size "$game_window" "419x380" "game window"
    fi
    expect_window_on_screen "$game_window" "game window" "$units"
    hold_key Right 8
    expect_screen_shows_replay
    close_game
}

# The window lies wholly on the screen of $screen_size pixels, UNITS pixels to a unit.
expect_window_on_screen() {
    local x y w h width=${screen_size%x*} height=${screen_size#*x}
    read -r x y w h < <(window_geometry "$1")
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le $((width / $3)) ] &&
        [ $((y + h)) -le $((height / $3)) ] ||
        fail "the $2 at ($x, $y), ${w}x$h, is not wholly on the screen"
}

# Both windows measure UNITS times their own size in the window system's units, and after a
# few steps the game window shows the replay with SCALE screen pixels to a side for each pixel
# of the game.
expect_windows_drawn_at() {
    local unit=$1
    picture_scale=$2
    start_game
    expect_window_size "$title_window" "$((312 * unit))x$((206 * unit))" "title window"
    key_tap space
    await_game_window
    expect_window_size "$game_window" "$((838 * unit))x$((759 * unit))" "game window"
    hold_key Right 8
    expect_screen_shows_replay
    close_game
}

# At 150% desktop scaling on a 1920 x 1080 screen, the game draws at the largest whole factor
# whose window fits: 1 here.
case_screen_fit_at_font_resolution_144() {
    echo "Xft.dpi: 144" | xrdb -merge
    expect_windows_drawn_at 1 1
}

case_screen_fit_at_scale_factor_1_5() {
    game_env=(QT_SCREEN_SCALE_FACTORS=1.5)
    expect_windows_drawn_at 1 1
}

# P pauses: the held key is let go, nothing reaches the rules, the title says so and the sign
# stands over the picture; P again goes on, and the picture is the scene again.
case_pause_and_go_on() {
    start_new_game_by_space
    key_down Right
    await_recorded "Right pressed" "keydown 39" 1
    key_tap p
    await_recorded "the pause to let go of Right" "keyup 39" 1
    wait_for "the title to say that the game is paused" 30 \
        window_title_is "$game_window" "Vexmire (Paused: press P to go on)"
    ! screen_shows_replay || fail "no sign over the picture while paused"
    expect_nothing_runs_while "the game was paused"
    key_up Right
    key_tap p
    wait_for "the title to say that the game goes on" 30 window_title_is "$game_window" "$title"
    # The figure stands still and the game rests until the player walks on.
    hold_key Down 4
    # Neither P nor its release, nor Right's release while paused, reached the rules.
    expect_events '^newgame( keydown 39)+ keyup 39( keydown 40)+ keyup 40$' \
        "Right held, then P twice, then a step down"
    expect_screen_shows_replay
    close_game
}

case_wasd_walk() {
    start_new_game_by_space
    hold_key d 12
    hold_key s 4
    expect_events '^newgame( keydown 39)+ keyup 39( keydown 40)+ keyup 40$' "D, then S held"
    replay_state
    [ "$(entity imgPlayer left)" -gt 24 ] && [ "$(entity imgPlayer top)" -gt 256 ] ||
        fail "D and S did not walk the player: it stands at" \
            "($(entity imgPlayer left), $(entity imgPlayer top))"
    expect_screen_shows_replay
    close_game
}

# On a 3840 x 2160 screen F11 shows each pixel of the game as a square of four, centred.
screen_for_full_screen_at_2x() {
    screen_size=3840x2160
}

case_full_screen_at_2x() {
    play_full_screen_and_back press_f11 press_f11
}

# At 200% on a 3840 x 2160 screen the same: on X11 the game's own factor is 2 already, on
# Wayland the compositor's scale makes the screen 1920 x 1080 of the desktop's units.
screen_for_full_screen_at_200_percent() {
    screen_size=3840x2160
    screen_scale=2
}

case_full_screen_at_200_percent() {
    picture_scale=2
    play_full_screen_and_back press_f11 press_f11
}

# On a 1920 x 1080 screen only 1x fits: the frame fills the screen's height instead.
case_full_screen_filling_the_height() {
    play_full_screen_and_back press_f11 press_f11
}

# Full screen by the window manager's own hand looks as F11's, and leaves as well.
case_full_screen_by_the_window_manager() {
    play_full_screen_and_back window_manager_full_screen_on window_manager_full_screen_off
}

press_f11() { key_tap F11; }
window_manager_full_screen_on() { window_manager_full_screen "$game_window" on; }
window_manager_full_screen_off() { window_manager_full_screen "$game_window" off; }

# A few steps, full screen by ENTER, a few more there, and back to the window by LEAVE.
play_full_screen_and_back() {
    local enter=$1 leave=$2 windowed
    start_new_game_by_space
    hold_key Right 8
    windowed=$(window_geometry "$game_window")
    "$enter"
    expect_full_screen
    hold_key Down 4
    expect_screen_shows_replay
    "$leave"
    expect_windowed_again "$windowed"
    close_game
}

# The game window covers the screen and shows the replay as the game's layout places it there.
expect_full_screen() {
    local width=$((${screen_size%x*} / $(units_scale))) height=$((${screen_size#*x} / $(units_scale)))
    wait_for "the game window to be full screen" 30 window_full_screen "$game_window"
    wait_for "the game window to cover the screen" 30 \
        window_geometry_is "$game_window" "0 0 $width $height"
    full_screen=1
    expect_screen_shows_replay
}

expect_windowed_again() {
    wait_for "the game window to leave full screen" 30 not window_full_screen "$game_window"
    full_screen=0
    wait_for "the game window to come back where it was, at its size" 30 \
        window_geometry_is "$game_window" "$1"
    expect_screen_shows_replay
}

not() { ! "$@"; }
