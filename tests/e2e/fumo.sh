#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a private X server with a real window manager, for
# what only they show: openbox opens the window maximised, the failure's
# message box is transient for the window and modal, real key events reach
# the data fields through the keystroke filter and the clipboard, and the
# program survives the failure. Layout, results and chart are pinned by the
# offscreen tests.
#
#   bash tests/e2e/fumo.sh PATH/TO/misuradistanza [PATH/TO/DESKTOP-ENTRY]
#
# With the desktop entry, the window's class must be the entry's
# StartupWMClass, so that a dock groups the window with its launcher.
#
# On a failure a screenshot and the logs go to $E2E_ARTEFATTI when it is
# set; otherwise they stay in a temporary folder whose path is printed.
set -euo pipefail

if (($# < 1 || $# > 2)); then
    echo "usage: $0 PATH/TO/misuradistanza [PATH/TO/DESKTOP-ENTRY]" >&2
    exit 2
fi
# Everything below runs on a server of its own.
if [[ -z "${FUMO_XVFB:-}" ]]; then
    FUMO_XVFB=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$@"
fi
programma=$(realpath -- "$1")
voce=${2:-}

titolo="Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo"
nome_esatto="^${titolo}\$" # a regular expression for xdotool; the caption has no special characters

tmp=$(mktemp -d "${TMPDIR:-/tmp}/fumo_e2e.XXXXXX")
pid_openbox=""
pid_programma=""
falliti=0

ok() { echo "OK      $*"; }
ko() {
    falliti=$((falliti + 1))
    echo "FAIL    $*"
}
# A check the rest depends on.
fatale() {
    ko "$*"
    exit 1
}

pulisci() {
    local stato=$?
    ((falliti == 0)) || stato=1
    if ((stato != 0)); then
        import -window root "$tmp/al-fallimento.png" 2>/dev/null || true
        echo "Last lines the program wrote:"
        tail -n 20 "$tmp/programma.log" 2>/dev/null | sed 's/^/    /' || true
    fi
    [[ -z "$pid_programma" ]] || kill "$pid_programma" 2>/dev/null || true
    [[ -z "$pid_openbox" ]] || kill "$pid_openbox" 2>/dev/null || true
    wait 2>/dev/null || true
    if ((stato == 0)); then
        rm -rf "$tmp"
    elif [[ -n "${E2E_ARTEFATTI:-}" ]]; then
        mkdir -p "$E2E_ARTEFATTI"
        cp -f "$tmp"/*.png "$tmp"/*.log "$E2E_ARTEFATTI"/ 2>/dev/null || true
        rm -rf "$tmp"
        echo "Screenshot and logs saved in $E2E_ARTEFATTI"
    else
        echo "Screenshot and logs kept in $tmp"
    fi
    exit "$stato"
}
trap pulisci EXIT

# Runs a check every 0.2 s until it holds or the seconds run out.
attendi() {
    local fine=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < fine)) || return 1
        sleep 0.2
    done
}

# The program sees only this server, a UTF-8 locale and folders of its own.
unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS QT_STYLE_OVERRIDE
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR="$tmp/runtime" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

openbox >"$tmp/openbox.log" 2>&1 &
pid_openbox=$!
gestore_pronto() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
attendi 20 gestore_pronto || fatale "openbox does not manage the screen within 20 s"

"$programma" >"$tmp/programma.log" 2>&1 &
pid_programma=$!
vivo() { kill -0 "$pid_programma" 2>/dev/null; }
finestre() { xdotool search --onlyvisible --name "$nome_esatto" 2>/dev/null || true; }
wid=""
trova_finestra() {
    vivo || fatale "the program ended at start (see programma.log)"
    wid=$(finestre | head -n 1)
    [[ -n "$wid" ]]
}
attendi 20 trova_finestra || fatale "no window called \"$titolo\" within 20 s"

# --- Maximised by the window manager ---------------------------------------

massimizzata() {
    local stato
    stato=$(xprop -id "$wid" _NET_WM_STATE 2>/dev/null || true)
    [[ "$stato" == *_NET_WM_STATE_MAXIMIZED_VERT* && "$stato" == *_NET_WM_STATE_MAXIMIZED_HORZ* ]]
}
if attendi 10 massimizzata; then
    ok "openbox shows the window maximised"
else
    ko "the window is not maximised: $(xprop -id "$wid" _NET_WM_STATE 2>&1 || true)"
fi
read -r schermo_l schermo_a < <(xdotool getdisplaygeometry)
read -r larghezza altezza < <(xwininfo -id "$wid" |
    awk -F: '/^ *Width:/ { l = $2 } /^ *Height:/ { a = $2 } END { print l, a }')
# The whole screen but for openbox's title bar.
if ((larghezza == schermo_l && altezza > schermo_a - 80 && altezza <= schermo_a)); then
    ok "its client area is ${larghezza}x${altezza} on a ${schermo_l}x${schermo_a} screen"
else
    ko "its client area is ${larghezza}x${altezza} on a ${schermo_l}x${schermo_a} screen"
fi

if [[ -n "$voce" ]]; then
    classe=$(xprop -id "$wid" WM_CLASS 2>/dev/null | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
    classe_voce=$(sed -n 's/^StartupWMClass=//p' "$voce")
    if [[ -n "$classe" && "$classe" == "$classe_voce" ]]; then
        ok "the window's class \"$classe\" is the desktop entry's StartupWMClass"
    else
        ko "the window's class \"$classe\" is not the desktop entry's StartupWMClass \"$classe_voce\""
    fi
fi

attiva() { [[ "$(xdotool getactivewindow 2>/dev/null || true)" == "$1" ]]; }
attendi 5 attiva "$wid" || xdotool windowactivate "$wid" 2>/dev/null || true
attendi 10 attiva "$wid" || fatale "the window does not get the keyboard focus"

# --- Real key events --------------------------------------------------------

# The focused field's whole text, read back through the X primary selection
# that selecting it with Shift+Home sets.
selezione() { timeout 5 xclip -o -selection primary 2>/dev/null || true; }
contiene() {
    xdotool key End shift+Home
    [[ "$(selezione)" == "$1" ]]
}
# Replaces the focused field's text, key by key.
digita() {
    xdotool key End shift+Home BackSpace
    xdotool type --delay 30 "$1"
}
riquadro=""
trova_riquadro() {
    local w
    for w in $(finestre); do
        if [[ "$w" != "$wid" ]]; then
            riquadro=$w
            return 0
        fi
    done
    return 1
}
nessun_riquadro() { ! trova_riquadro; }

# The focus starts on "Calcolo"; Tab takes it to the angle field.
xdotool key Tab
attendi 5 contiene 1 || fatale "after one Tab the angle field holding \"1\" does not have the focus"
digita 0
attendi 5 contiene 0 || fatale "the angle field does not hold the \"0\" typed into it"
ok "a typed 0 reaches the angle field"
xdotool key Return
sleep 1
if nessun_riquadro; then ok "Enter in the field starts no run"; else ko "Enter in the field started a run"; fi

# --- The failure ------------------------------------------------------------

xdotool key shift+Tab Return
attendi 20 trova_riquadro || fatale "no message box within 20 s of Enter on \"Calcolo\" with angle 0"
proprieta=$(xprop -id "$riquadro" WM_TRANSIENT_FOR _NET_WM_STATE 2>/dev/null || true)
proprietario=$(awk '/WM_TRANSIENT_FOR/ { print $NF }' <<<"$proprieta")
if [[ -n "$proprietario" ]] && (($(printf '%d' "$proprietario") == wid)); then
    ok "the message box is transient for the window"
else
    ko "the message box is transient for \"$proprietario\", not for the window $wid"
fi
if grep -q _NET_WM_STATE_MODAL <<<"$proprieta"; then
    ok "the message box is modal"
else
    ko "the message box is not modal: $proprieta"
fi
if attendi 10 attiva "$riquadro"; then
    ok "the message box has the keyboard focus"
else
    ko "the message box does not have the keyboard focus"
    xdotool windowactivate "$riquadro" 2>/dev/null || true
fi
xdotool key Return
attendi 20 nessun_riquadro || fatale "the message box is still there 20 s after Enter"
vivo || fatale "the program ended with the message box"
xwininfo -id "$wid" | grep -q IsViewable || fatale "the window is gone with the message box"
ok "Enter closes the message box and the program goes on"

# --- After the failure: the filter and the clipboard ------------------------

attendi 10 attiva "$wid" || fatale "the window does not get the keyboard focus back"
# Ctrl+V types a control character, which the filter drops; Ctrl+Insert is
# a key, not a character, so it still copies the field for xclip to read.
xdotool key Tab
digita 7
xdotool key Tab
printf 'zzz' | xclip -i -selection clipboard
digita '1a2,3 b-4'
xdotool key ctrl+v Escape
xdotool type --delay 30 'à5.6'
xdotool key End shift+Home ctrl+Insert
appunti() { timeout 5 xclip -o -selection clipboard 2>/dev/null || true; }
copiato() { [[ "$(appunti)" == '123-45.6' ]]; }
if attendi 10 copiato; then
    ok "typing \"1a2,3 b-4\", Ctrl+V, Escape and \"à5.6\" leaves \"123-45.6\""
else
    ko "the depth field should hold \"123-45.6\" but the clipboard holds \"$(appunti)\""
fi
# From the depth field, Tab passes the two pictures on its way to "Calcolo".
xdotool key Tab Tab Tab space
sleep 1
if nessun_riquadro && vivo; then
    ok "a run with angle 7 after the failure shows no message box"
else
    ko "a run with angle 7 after the failure failed"
fi

echo "fumo_e2e: $falliti checks failed"
