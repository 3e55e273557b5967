# shellcheck shell=dash
# x11-game.sh: sourced by the scripts that start the game and look for its start window on the
# X display, where each start must not be taken for the one before it.

# start_game COMMAND...: starts the game by COMMAND in the background, its process id in $game,
# and succeeds once its start window shows on the X display, or fails after twenty seconds.
# A window that goes while xdotool looks at it makes xdotool fail: it looks again.
start_game() {
    local tries=0
    "$@" &
    game=$!
    until xdotool search --onlyvisible --name '^Cifrotto$' >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -le 400 ] || return 1
        sleep 0.05
    done
}

# end_game: ends the game started last and waits until its window has gone.
end_game() {
    kill "$game" 2>/dev/null
    wait "$game" 2>/dev/null
    while xdotool search --onlyvisible --name '^Cifrotto$' >/dev/null 2>&1; do sleep 0.05; done
}
