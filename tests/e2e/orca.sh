#!/bin/bash
# What Orca, the screen reader Debian ships, says as a player goes through the game by keys: the
# title and its menus, how to play, about, level 1 opened, started, paused, lost and won, level 2
# opened after the win, and the victory screen. Orca runs headless on the test's own display,
# session bus and accessibility bus, with its own settings and a speech server of its own whose
# sound goes nowhere; what it says is read from its debug log, one "SPEECH OUTPUT" line an
# utterance. At the end the test prints each step and what Orca said.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"

# Orca refuses to start beside another Orca of the same user (and would stop it if told to
# replace it): a player's own screen reader is left alone and the test skipped.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "SKIP: an Orca of this user is running; this test starts one of its own"
    exit 77
fi
source "$here/screens.sh"
# Keys are held as a person holds them (press, below): on a busy machine a hold may outlast the
# repeat delay, and a key repeated would be typed twice.
xset r off

step "a session bus and an accessibility bus of our own"
start_accessibility_bus

step "a speech server of our own, its sound to ALSA's null device"
mkdir "$work/speech"
cat >"$work/speech/speechd.conf" <<EOF
LogDir "$work/speech"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
EOF
setpriv --pdeathsig TERM speech-dispatcher --run-single --timeout 0 --config-dir "$work/speech" \
    --communication-method unix_socket --socket-path "$work/speech/socket" \
    --pid-file "$work/speech/pid" >"$work/speech/out.log" 2>&1 &
started_pids+=("$!")
until_within "the speech server never opened its socket (see $work/speech)" \
    test -S "$work/speech/socket"

step "Orca with settings of its own"
# Orca writes its debug log through a buffer it never flushes: given a terminal, it writes each
# line as it comes. script(1) is that terminal and copies the lines into the log as they come.
orca_log="$work/orca.log"
mkdir -p "$work/home/.config" "$work/home/.local/share"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    GSETTINGS_BACKEND=memory SPEECHD_ADDRESS="unix_socket:$work/speech/socket" \
    setpriv --pdeathsig TERM script --quiet --flush --echo never \
    --command "echo \$\$ >'$work/orca.pid' &&
        exec setpriv --pdeathsig TERM orca --debug-file /dev/tty" "$orca_log" \
    </dev/null >/dev/null 2>&1 &
started_pids+=("$!")
# Orca is stopped before its terminal, and waited for: it takes a while to shut down.
until_within "Orca never started" test -s "$work/orca.pid"
started_pids+=("$(cat "$work/orca.pid")")

# The utterances Orca logged after line FROM of its log, one a line.
said_since() {
    [ -f "$orca_log" ] || return 0
    tail -n "+$(($1 + 1))" "$orca_log" | tr -d '\r' |
        sed -n "/^[0-9:.]* - SPEECH OUTPUT: '/{s///; s/' *[[{].*\$//; s/'\$//; p}"
}

# hear WHAT TEXT...: waits until Orca has said every TEXT (each within one utterance, or as a
# whole utterance when written =TEXT) since the step began or the last hear; then records WHAT
# and all Orca said in the table, and listens anew.
step_from=0
table=()
hear() {
    local what="$1" deadline text said heard missing
    deadline=$(($(now_ms) + $(limit_ms)))
    while :; do
        said=$(said_since "$step_from")
        # Orca 43 calls a button a "push button", Orca 48 a "button".
        heard=$(sed 's/ push button/ button/g' <<<"$said")
        missing=""
        for text in "${@:2}"; do
            if [ "${text:0:1}" = = ]; then
                grep -qxF -- "${text:1}" <<<"$heard" || { missing="$text" && break; }
            else
                grep -qF -- "$text" <<<"$heard" || { missing="$text" && break; }
            fi
        done
        [ -z "$missing" ] && break
        [ "$(now_ms)" -lt "$deadline" ] ||
            fail "$what: Orca never said \"$missing\"$(game_gone);" \
                "it said: $(paste -sd '|' <<<"$said")"
        sleep 0.1
    done
    table+=("$what | $(paste -sd '|' <<<"$said" | sed 's/|/" "/g; s/^/"/; s/$/"/')")
    release
    listen
}

# What Orca says from here on is the next step's.
listen() {
    step_from=$(wc -l <"$orca_log")
}

# begin WHAT [WINDOW KEY... -- HEARD TEXT...]: a new step, heard from here on; the keys pressed
# and what Orca says to them heard, if given.
begin() {
    step "$1"
    listen
    [ $# -lt 2 ] || press "${@:2}"
}

# press WINDOW KEY... [-- HEARD TEXT...]: keys as a person types them, into that window, each key
# of a chord held a moment: typed at XTEST's speed, Alt+F comes while the accessibility registry
# still holds the keyboard for Orca, and the menu it opens closes at once. A last key alone
# (Return, P) is held until the next hear has heard what it did: Orca, handling the key's release
# after the window it closed went and before it has heard of the window that came, takes that
# window as active without a word (and the window's caption is never said). Then hear HEARD
# TEXT..., if given.
held=""
press() {
    local window="$1" typed=() key keys index
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        typed+=("$1") && shift
    done
    release
    focus "$window"
    for index in "${!typed[@]}"; do
        IFS=+ read -ra keys <<<"${typed[index]}"
        for key in "${keys[@]}"; do
            xdotool keydown "$key" && sleep 0.15
        done
        if [ "$index" -eq $((${#typed[@]} - 1)) ] && [ "${#keys[@]}" = 1 ]; then
            held="$key"
            break
        fi
        for ((key = ${#keys[@]} - 1; key >= 0; key--)); do
            xdotool keyup "${keys[key]}" && sleep 0.15
        done
    done
    [ $# -eq 0 ] || hear "${@:2}"
}

# Lets go of a held key, and waits until Orca has handled its release: Orca 48 handles it late,
# and a release it handles after the next key has closed a window is the same silent take-over.
release() {
    local from
    [ -n "$held" ] || return 0
    from=$(wc -l <"$orca_log")
    xdotool keyup "$held"
    until_within "Orca never handled the release of $held" released_since "$from" "$held"
    held=""
}

# released_since FROM KEY: whether Orca logged handling KEY's release after line FROM.
released_since() {
    # Not a pipe into grep -q, which under pipefail fails when grep leaves before tail is done.
    grep -qaF "PROCESS ATSPI_KEY_RELEASED_EVENT: '$2'" < <(tail -n "+$(($1 + 1))" "$orca_log")
}

hear "Orca starts" "Screen reader on."

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
begin "the title opens"
start_game "${CRATEFALL:?}"
title=$(window "$title_caption")
hear "title opens" "$title_caption frame"

begin "the File menu" "$title" alt+f -- "Alt+F" "Play"
begin "the File menu's next item" "$title" Down -- "Down" "Exit"
press "$title" Escape Escape

begin "the Help menu" "$title" alt+h -- "Alt+H" "How to play"
begin "the Help menu's next item" "$title" Down -- "Down" "About Creator"

begin "how to play opens" "$title" Up Return -- "Help > How to play" \
    "How to play dialog As the boxes fall, click on them" \
    "You can always press \"P\" to pause the game." "Close button"
begin "how to play closes" "$(window "How to play")" Return -- "Enter on Close" "$title_caption frame"

begin "about opens" "$title" alt+h Down -- "Help, Down" "About Creator"
press "$title" Return -- "Help > About Creator" "About Mokram dialog" "I am Mokram" \
    "Contact: Cratefall, cratefall@example.org, 2026" "Close button"
begin "about closes" "$(window "About Mokram")" Return -- "Enter on Close" "$title_caption frame"

begin "level 1 opens" "$title" alt+f -- "Alt+F" "Play"
press "$title" Return
level=$(window "$level1_caption")
hear "File > Play" "$level1_caption frame" "Click to Start"

begin "level 1 starts"
click "$level" 20,20
hear "a click in the window" "Started"

# Level 1 is lost some five seconds of play after its start: the steps before the loss go by
# while the pause box holds the game.
begin "level 1 paused" "$level" p -- "P" "Game Paused." "OK button"
begin "level 1 goes on" "$(window Cratefall)" Return -- "Enter on OK" "$level1_caption frame"
begin "the score on request" "$level" KP_Up -- "flat review, current line" "=0"

begin "level 1 lost"
loss=$(window Tilefall 60000)
hear "the boxes reach the bottom" "Tilefall" "Your score was 0." "OK button"
begin "the title again" "$loss" Return -- "Enter on OK" "$title_caption frame"

title=$(window "$title_caption")
begin "level 1 won" "$title" alt+f -- "Alt+F" "Play"
press "$title" Return
level1=$(level_shown "$(level_screen 1)" waiting)
waiting="$work/waiting.png"
hear "File > Play" "$level1_caption frame" "Click to Start"
start_level1
hear "a click in the window" "Started"
read -r ending clicks < <(robot play "$level1" "$waiting" "$(px 900)" "$(limit_ms 60000)" \
    "${level1_boxes[@]}") || true
expect_equal "$ending" new-window "how the robot's game ended after $clicks clicks"
win=$(window Cratefall)
# Orca's own way: a click Orca handles after the box is up and before it has heard of the box
# makes the box the active window without a word, so the box's title and text are heard only
# when no click of the player's is that close to the win. The loss box above is heard whole.
hear "30 boxes hit" "OK button"
# Only the caption: Orca 48, when it has lost the box's button before it hears of the level,
# names the level without its description (on a busy machine, "Cratefall - Level 2 frame"). The
# description is heard at each File > Play above.
begin "level 2 opens" "$win" Return -- "Enter on OK" "$(caption "$(level_screen 2)") frame"
# The game goes on until the victory screen's steps are done: Orca 48 keeps a note of an ended
# program's objects for a minute, under a key the new program's objects may be given, and would
# then take the victory screen's name box for dead and say nothing of it.
level_game=$game_pid

begin "the victory screen opens"
start_game "${CRATEFALL_E2E_ENTRY:?}" "$victory_screen"
victory=$(window "$(caption "$victory_screen")")
hear "the victory screen opens" "$(caption "$victory_screen") frame" "Close button"
begin "to the print button" "$victory" Tab -- "Tab" "Print a Winning Certificate button"
begin "to the name box" "$victory" Tab -- "Tab" "Type your name below"
begin "the victory texts" "$victory" Insert+KP_Home -- "flat review, top of the window" \
    "Congratulations, you beat the game!!!"
press "$victory" Escape
expect_exit_status 0 30
stop_pid "$level_game"
forget_pid "$level_game"

step "what Orca said"
for row in "${table[@]}"; do
    echo "| $row |"
done
