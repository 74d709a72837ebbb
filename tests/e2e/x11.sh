# The X server: Xvfb on a screen of $screen_size, openbox managing the windows, keys sent through
# XTEST with xdotool as if typed, the desktop's scale given as the font resolution. Sourced by
# e2e.sh; the functions are the ones wayland.sh has, and server_pid is the server's process, as
# there.

server_start() {
    need Xvfb openbox xdotool wmctrl xrdb xwininfo xprop import
    mkdir -p "$work/player"
    Xvfb -displayfd 5 -screen 0 "${screen_size}x24" -nolisten tcp 5>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    server_pid=$!
    track "$server_pid"
    wait_for "the X server to start" 30 test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    # A desktop session's own runtime folder, which holds no sound server's socket here.
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY
    # openbox claims the screen early in its start-up, but a window mapped before the start-up
    # is over is never managed (nor shown): the command it runs at the end tells when.
    openbox --sm-disable --startup "touch $work/openbox-started" >"$work/openbox.log" 2>&1 &
    track $!
    wait_for "openbox to manage the screen" 60 test -e "$work/openbox-started"
    # A desktop's scale reaches X11 programs as the font resolution, as GNOME sets it.
    if [ "$screen_scale" != 1 ]; then echo "Xft.dpi: $((96 * screen_scale))" | xrdb -merge; fi
}

# Starts the game (or another program) in the background; its process id is in $launched.
launch() {
    env QT_QPA_PLATFORM=xcb "${game_env[@]}" "$@" >>"$work/game.log" 2>&1 &
    launched=$!
    track "$launched"
}

# The shown window of process PID whose title is TITLE, or nothing.
find_window() {
    xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -n 1
}

# The client area of a window: X Y WIDTH HEIGHT on the screen.
window_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# Screen pixels to a side for each unit of the window system's sizes: X11 counts screen pixels.
units_scale() { echo 1; }

window_title() {
    xdotool getwindowname "$1" 2>/dev/null
}

window_full_screen() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN
}

# Full screen through the window manager (on) and back (off), as its own key or menu does.
window_manager_full_screen() {
    wmctrl -i -r "$1" -b "$([ "$2" = on ] && echo add || echo remove),fullscreen"
}

window_has_keyboard() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

focus_window() {
    xdotool windowactivate "$1" 2>/dev/null || true
}

# Closes a window through the window manager, as its title bar's close button does.
close_window() {
    wmctrl -i -c "$1"
}

# Moves a window out of the way of the game window.
move_window() {
    xdotool windowmove "$1" "$2" "$3"
}

# A PNG of the client area of window ID, as the screen shows it.
screenshot() {
    local x y w h
    read -r x y w h < <(window_geometry "$1")
    import -silent -window root -crop "${w}x${h}+${x}+${y}" +repage "png:$2"
}

# Keys by their X names: Left Right Up Down space Return, letters and digits.
key_down() { xdotool keydown "$1"; }
key_up() { xdotool keyup "$1"; }
key_tap() { xdotool key "$1"; }
key_alt() { xdotool key "alt+$1"; }

# The screen and its windows, for a test that failed.
server_snapshot() {
    xwininfo -root -tree >"$work/windows.txt"
    import -silent -window root "png:$work/whole-screen.png"
}
