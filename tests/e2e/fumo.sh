#!/usr/bin/env bash
# Smoke test of the real program on a private X server with a window manager:
# it opens maximised, a calculation typed in with the keyboard draws the curve
# and shows a result, a zero angle brings up the error box, after which the
# program keeps working, and a mixed text typed into a field keeps only the
# characters of a number.
#
#   bash tests/e2e/fumo.sh PATH/TO/misuradistanza [PATH/TO/DESKTOP-ENTRY]
#
# With the desktop entry, the window's class must be the entry's
# StartupWMClass, so that a dock groups the window with its launcher.
#
# Screenshots and logs go to $E2E_ARTEFATTI when it is set; otherwise, on a
# failure, they stay in the test's temporary folder, whose path is printed.
set -euo pipefail

if (($# < 1 || $# > 2)); then
    echo "usage: $0 PATH/TO/misuradistanza [PATH/TO/DESKTOP-ENTRY]" >&2
    exit 2
fi
programma=$(realpath -m -- "$1")
voce=${2:-}
if [[ ! -x "$programma" ]]; then
    echo "FAIL    the program $programma does not exist or is not executable" >&2
    exit 1
fi

titolo="Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo"
# xdotool takes a regular expression; the caption has no special characters.
nome_esatto="^${titolo}\$"

# Where the window's controls and chart lie, in pixels of the client area.
text1=(44 95)     # middle of the depth field
text2=(168 92)    # middle of the angle field
command1=(56 280) # middle of "Calcolo"
label3=(338 274 69 29) # inside the result's frame: x y width height
zona_grafico=(30 395 232 170) # the chart with a margin: x y width height

# The whole run stays well inside CTest's limit of 120 s, so that the
# clean-up below always runs before anyone kills the script from outside.
limite_totale=100

tmp=$(mktemp -d "${TMPDIR:-/tmp}/fumo_e2e.XXXXXX")
schermate="$tmp/schermate"
mkdir -p "$schermate"

pid_xvfb=""
pid_openbox=""
pid_programma=""
numero_display=""
falliti=0
controlli=0

ok() {
    controlli=$((controlli + 1))
    echo "OK      $*"
}

ko() {
    controlli=$((controlli + 1))
    falliti=$((falliti + 1))
    echo "FAIL    $*"
}

# A check that the rest depends on: record it and stop.
fatale() {
    ko "$*"
    if [[ -n "${DISPLAY:-}" ]]; then
        import -window root "$schermate/al-fallimento.png" 2>/dev/null || true
    fi
    exit 1
}

verifica() { # description, then the command that must succeed
    local descrizione=$1
    shift
    if "$@"; then ok "$descrizione"; else ko "$descrizione"; fi
}

# Repeats a command every 0.2 s until it succeeds or the seconds run out.
attendi() {
    local secondi=$1
    shift
    local fine=$((SECONDS + secondi))
    while true; do
        if "$@"; then return 0; fi
        if ((SECONDS >= fine)); then return 1; fi
        if ((SECONDS >= limite_totale)); then
            fatale "gave up: the test has been running for ${limite_totale} s"
        fi
        sleep 0.2
    done
}

# Ends one process of ours: politely first, then for good after 5 s.
termina() {
    local pid=$1
    [[ -n "$pid" ]] || return 0
    kill "$pid" 2>/dev/null || true
    local i
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

pulisci() {
    local stato=$?
    trap - EXIT INT TERM
    termina "$pid_programma"
    termina "$pid_openbox"
    termina "$pid_xvfb"
    # A server killed for good leaves its lock and socket: drop them if ours.
    if [[ -n "$numero_display" && -n "$pid_xvfb" && -e "/tmp/.X$numero_display-lock" ]] &&
        [[ "$(tr -d ' \n' <"/tmp/.X$numero_display-lock" 2>/dev/null)" == "$pid_xvfb" ]]; then
        rm -f "/tmp/.X$numero_display-lock" "/tmp/.X11-unix/X$numero_display"
    fi
    if ((stato == 0 && falliti > 0)); then stato=1; fi

    cp -f "$tmp"/*.log "$schermate"/ 2>/dev/null || true
    if ((stato != 0)) && [[ -s "$tmp/programma.log" ]]; then
        echo "Last lines the program wrote:"
        tail -n 20 "$tmp/programma.log" | sed 's/^/    /'
    fi
    if [[ -n "${E2E_ARTEFATTI:-}" ]]; then
        mkdir -p "$E2E_ARTEFATTI"
        cp -f "$schermate"/* "$E2E_ARTEFATTI"/ 2>/dev/null || true
        ((stato == 0)) || echo "Screenshots and logs saved in $E2E_ARTEFATTI"
        rm -rf "$tmp"
    elif ((stato != 0)); then
        echo "Screenshots and logs kept in $schermate"
    else
        rm -rf "$tmp"
    fi
    if ((stato == 0)); then
        echo "fumo_e2e: all $controlli checks passed"
    elif ((falliti > 0)); then
        echo "fumo_e2e: $falliti of $controlli checks failed"
    else
        echo "fumo_e2e: stopped by an unexpected error (exit status $stato) after $controlli checks"
    fi
    exit "$stato"
}
trap pulisci EXIT
trap 'ko "interrupted by SIGINT"; exit 130' INT
trap 'ko "interrupted by SIGTERM"; exit 143' TERM

for strumento in Xvfb openbox xdotool xprop xwininfo xclip import convert md5sum timeout; do
    command -v "$strumento" >/dev/null || fatale "the tool $strumento is not installed"
done

# Everything started from here sees only the private server, a UTF-8 locale
# and folders of its own, whatever the desktop this runs from.
unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING
unset QT_AUTO_SCREEN_SCALE_FACTOR QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb
export LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR="$tmp/runtime"
export XDG_CONFIG_HOME="$tmp/config"
export XDG_CACHE_HOME="$tmp/cache"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"

# --- The X server and the window manager -----------------------------------

risponde() { DISPLAY=":$1" xdotool getdisplaygeometry >/dev/null 2>&1; }
vivo() { kill -0 "$1" 2>/dev/null; }
xvfb_pronto() { ! vivo "$pid_xvfb" || risponde "$1"; }

avvia_xvfb() {
    local n tentativi=0
    for ((n = 99; n < 300; n++)); do
        [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
        pid_xvfb=$!
        attendi 20 xvfb_pronto "$n" || fatale "Xvfb :$n does not answer within 20 s"
        # Alive, answering and holding the lock: the server is ours. Another
        # run that took the same number a moment earlier makes ours quit.
        if vivo "$pid_xvfb" && [[ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" == "$pid_xvfb" ]]; then
            numero_display=$n
            return 0
        fi
        wait "$pid_xvfb" 2>/dev/null || true
        pid_xvfb=""
        tentativi=$((tentativi + 1))
        ((tentativi < 5)) || fatale "Xvfb did not start on any free display (see xvfb.log)"
    done
    fatale "no free display number between :99 and :299"
}

avvia_xvfb
export DISPLAY=":$numero_display"
ok "Xvfb answers on $DISPLAY ($(xdotool getdisplaygeometry))"

openbox >"$tmp/openbox.log" 2>&1 &
pid_openbox=$!
gestore_pronto() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
attendi 20 gestore_pronto || fatale "openbox does not manage the screen within 20 s"
ok "openbox manages the screen"

# --- The program's window ---------------------------------------------------

"$programma" >"$tmp/programma.log" 2>&1 &
pid_programma=$!

wid=""
trova_finestra() {
    vivo "$pid_programma" || fatale "the program ended at start (see programma.log)"
    wid=$(xdotool search --onlyvisible --name "$nome_esatto" 2>/dev/null | head -n 1 || true)
    [[ -n "$wid" ]]
}
attendi 20 trova_finestra || fatale "no window called \"$titolo\" within 20 s"
ok "the window \"$titolo\" is shown (id $wid)"

massimizzata() {
    local stato
    stato=$(xprop -id "$wid" _NET_WM_STATE 2>/dev/null || true)
    [[ "$stato" == *_NET_WM_STATE_MAXIMIZED_VERT* && "$stato" == *_NET_WM_STATE_MAXIMIZED_HORZ* ]]
}
valore_xwininfo() { # window, field
    xwininfo -id "$1" | awk -v campo="$2" -F: '$1 ~ campo { gsub(/ /, "", $2); print $2; exit }'
}
if attendi 10 massimizzata; then
    ok "the window opens maximised (_NET_WM_STATE has MAXIMIZED_VERT and MAXIMIZED_HORZ)"
else
    ko "the window is not maximised: $(xprop -id "$wid" _NET_WM_STATE 2>&1 || true)"
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

# The client area, on the screen, wherever the decorations put it.
larghezza=$(valore_xwininfo "$wid" "Width")
altezza=$(valore_xwininfo "$wid" "Height")
origine_x=$(valore_xwininfo "$wid" "Absolute upper-left X")
origine_y=$(valore_xwininfo "$wid" "Absolute upper-left Y")
read -r schermo_l schermo_a < <(xdotool getdisplaygeometry)
if ((larghezza == schermo_l && altezza > schermo_a - 80 && altezza <= schermo_a)); then
    ok "the client area is ${larghezza}x${altezza} at +${origine_x}+${origine_y}, the screen less the title bar"
else
    ko "the client area is ${larghezza}x${altezza} at +${origine_x}+${origine_y} on a ${schermo_l}x${schermo_a} screen"
fi

attiva() { [[ "$(xdotool getactivewindow 2>/dev/null || true)" == "$wid" ]]; }
if ! attendi 5 attiva; then
    xdotool windowactivate "$wid" 2>/dev/null || true
    attendi 10 attiva || fatale "the window does not get the keyboard focus"
fi

# --- Screenshots and pixels -------------------------------------------------

# The whole screen, then the client area cut out of it, so that the pixels
# are in the window's own coordinates whatever import makes of a frame.
schermata() {
    import -window root "$schermate/$1-schermo.png"
    convert "$schermate/$1-schermo.png" -crop "${larghezza}x${altezza}+${origine_x}+${origine_y}" \
        +repage "$schermate/$1.png"
}

pixel() { # image x y -> r,g,b
    local p="p{$2,$3}"
    convert "$1" -format "%[fx:int(255*$p.r+0.5)],%[fx:int(255*$p.g+0.5)],%[fx:int(255*$p.b+0.5)]" info:
}

colore_in() { # image x y r,g,b
    [[ "$(pixel "$1" "$2" "$3")" == "$4" ]]
}

blu_nel_grafico() { # image -> how many pure-blue pixels the chart holds
    local z=("${zona_grafico[@]}")
    convert "$1" -crop "${z[2]}x${z[3]}+${z[0]}+${z[1]}" +repage txt:- | grep -c '#0000FF' || true
}

colori_risultato() { # image -> how many colours inside the result's frame
    local z=("${label3[@]}")
    convert "$1" -crop "${z[2]}x${z[3]}+${z[0]}+${z[1]}" +repage -format '%k' info:
}

impronta_risultato() { # image -> fingerprint of the pixels inside the result's frame
    local z=("${label3[@]}")
    convert "$1" -crop "${z[2]}x${z[3]}+${z[0]}+${z[1]}" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}

# The pixel of the curve for depth h and angle b: d = 2h/tan(3.14159 b/180),
# capped at 100 km, at twips (b*64.4 + 500, 8240 - d*0.0224), 15 twips a
# pixel. The program rounds the twips to single precision before flooring;
# the small allowance stands in for that at the 100 km line.
punto_curva() { # h b -> x y d
    awk -v h="$1" -v b="$2" 'BEGIN {
        r = 3.14159 * b / 180
        d = 2 * h * cos(r) / sin(r)
        if (d > 100000) d = 100000
        printf "%d %d %.1f\n", int((b * 64.4 + 500) / 15 + 1e-6), int((8240 - d * 0.0224) / 15 + 1e-6), d
    }'
}

controlla_assi() { # image, when
    local assi=(33 549 33 400 33 475 150 549 258 549) i sbagliati=""
    for ((i = 0; i < ${#assi[@]}; i += 2)); do
        colore_in "$1" "${assi[i]}" "${assi[i + 1]}" 0,0,0 ||
            sbagliati+=" (${assi[i]},${assi[i + 1]})=$(pixel "$1" "${assi[i]}" "${assi[i + 1]}")"
    done
    if [[ -z "$sbagliati" ]]; then
        ok "$2: the axes are black at (33,549) (33,400) (33,475) (150,549) (258,549)"
    else
        ko "$2: axis pixels are not black:$sbagliati"
    fi
}

schermata avvio
# The corner of the axes tells whether the client area was found right.
colore_in "$schermate/avvio.png" 33 549 0,0,0 ||
    fatale "the axes' corner (33,549) is not black ($(pixel "$schermate/avvio.png" 33 549)): the client area is not at +${origine_x}+${origine_y}"
controlla_assi "$schermate/avvio.png" "at start"
blu=$(blu_nel_grafico "$schermate/avvio.png")
verifica "at start the chart has no curve (blue pixels: $blu)" test "$blu" -eq 0
colori=$(colori_risultato "$schermate/avvio.png")
verifica "at start the result is empty (colours inside its frame: $colori)" test "$colori" -eq 1

# --- Typing into the fields -------------------------------------------------

# The field's whole text, read back through the X primary selection that
# selecting it with Shift+Home sets.
selezione() { timeout 5 xclip -o -selection primary 2>/dev/null || true; }
contiene() { # expected text
    xdotool key End shift+Home
    [[ "$(selezione)" == "$1" ]]
}

scrivi_campo() { # name, x, y, text before, new text
    local nome=$1 x=$2 y=$3 prima=$4 testo=$5
    xdotool mousemove --window "$wid" "$x" "$y" click 1
    if attendi 5 contiene "$prima"; then
        ok "$nome holds \"$prima\""
    else
        ko "$nome should hold \"$prima\" but holds \"$(selezione)\""
    fi
    # Shift+Home is a key, not a character, so it selects where Ctrl+A would not.
    xdotool key End shift+Home BackSpace
    xdotool type --delay 30 "$testo"
    if attendi 5 contiene "$testo"; then
        ok "$nome now holds \"$testo\" as typed"
    else
        fatale "$nome should hold \"$testo\" after typing it, but holds \"$(selezione)\""
    fi
    xdotool key End
}

clicca_calcolo() {
    xdotool mousemove --window "$wid" "${command1[0]}" "${command1[1]}" click 1
}

profondita=1000
scrivi_campo Text1 "${text1[@]}" 1 "$profondita"
scrivi_campo Text2 "${text2[@]}" 1 7
clicca_calcolo

# --- The result of a good run -----------------------------------------------

read -r x7 y7 _ < <(punto_curva "$profondita" 7)
curva_disegnata() {
    schermata calcolo
    colore_in "$schermate/calcolo.png" "$x7" "$y7" 0,0,255 &&
        (($(colori_risultato "$schermate/calcolo.png") > 1))
}
if attendi 20 curva_disegnata; then
    ok "after \"Calcolo\" the curve and a result appear"
else
    ko "20 s after \"Calcolo\" the curve or the result is still missing"
fi

immagine="$schermate/calcolo.png"
for b in 1 1.5 3 7 12 20 30 45; do
    read -r x y d < <(punto_curva "$profondita" "$b")
    colore=$(pixel "$immagine" "$x" "$y")
    if [[ "$colore" == 0,0,255 ]]; then
        ok "curve point b=$b d=$d m is blue at ($x,$y)"
    else
        ko "curve point b=$b d=$d m should be blue at ($x,$y) but is rgb($colore)"
    fi
done
blu=$(blu_nel_grafico "$immagine")
# The 4,901 points share pixels; about 350 are left for a depth of 1000 m.
verifica "the chart holds the curve's blue pixels ($blu, between 200 and 4901)" \
    test "$blu" -ge 200 -a "$blu" -le 4901
controlla_assi "$immagine" "after the run"
colori=$(colori_risultato "$immagine")
verifica "the result shows a text (colours inside its frame: $colori)" test "$colori" -gt 1
impronta_buona=$(impronta_risultato "$immagine")

# --- A zero angle -----------------------------------------------------------

scrivi_campo Text2 "${text2[@]}" 7 0
clicca_calcolo

riquadro=""
trova_riquadro() {
    local w
    for w in $(xdotool search --onlyvisible --name "$nome_esatto" 2>/dev/null || true); do
        if [[ "$w" != "$wid" ]]; then
            riquadro=$w
            return 0
        fi
    done
    return 1
}
attendi 20 trova_riquadro || fatale "no message box called \"$titolo\" within 20 s of \"Calcolo\" with angle 0"
ok "with angle 0 a second window called \"$titolo\" appears (id $riquadro)"

proprieta=$(xprop -id "$riquadro" WM_TRANSIENT_FOR _NET_WM_STATE 2>/dev/null || true)
proprietario=$(printf '%s\n' "$proprieta" | awk '/WM_TRANSIENT_FOR/ { print $NF }')
verifica "the message box belongs to the main window (WM_TRANSIENT_FOR $proprietario)" \
    test "$((proprietario))" -eq "$wid"
verifica "the message box is modal" grep -q _NET_WM_STATE_MODAL <<<"$proprieta"
riquadro_attivo() { [[ "$(xdotool getactivewindow 2>/dev/null || true)" == "$riquadro" ]]; }
if attendi 10 riquadro_attivo; then
    ok "the message box has the keyboard focus"
else
    ko "the message box does not have the keyboard focus"
    xdotool windowactivate "$riquadro" 2>/dev/null || true
fi
import -window root "$schermate/errore-schermo.png"

xdotool key Return
riquadro_chiuso() { ! trova_riquadro; }
attendi 20 riquadro_chiuso || fatale "the message box is still there 20 s after Return"
ok "Return closes the message box"

verifica "the program is still running" vivo "$pid_programma"
finestra_visibile() { xwininfo -id "$wid" 2>/dev/null | grep -q IsViewable; }
verifica "its main window still exists and is shown" finestra_visibile

schermata dopo-errore
colori=$(colori_risultato "$schermate/dopo-errore.png")
verifica "after the error the result is empty (colours inside its frame: $colori)" test "$colori" -eq 1
controlla_assi "$schermate/dopo-errore.png" "after the error"

# --- Still working afterwards -----------------------------------------------

scrivi_campo Text2 "${text2[@]}" 0 7
clicca_calcolo
stesso_risultato() {
    schermata ancora
    [[ "$(impronta_risultato "$schermate/ancora.png")" == "$impronta_buona" ]]
}
if attendi 20 stesso_risultato; then
    ok "after the error the same inputs show the same result again"
else
    ko "after the error the same inputs do not show the first result again"
fi

# --- The keystroke filter, through the real keyboard -------------------------

# A mixed text typed key by key into the depth field: letters, a comma, a
# blank, Ctrl+V with something on the clipboard, Escape, Enter and an à. Only
# the characters of a number may arrive. Ctrl+Insert is a key, not a
# character, so it still copies the field, and xclip reads what it copied.
printf 'zzz' | xclip -i -selection clipboard
xdotool mousemove --window "$wid" "${text1[@]}" click 1
xdotool key End shift+Home BackSpace
xdotool type --delay 30 '1a2,3 b-4'
xdotool key ctrl+v Escape Return
xdotool type --delay 30 'à5.6'
xdotool key End shift+Home ctrl+Insert
appunti() { timeout 5 xclip -o -selection clipboard 2>/dev/null || true; }
copiato() { [[ "$(appunti)" == '123-45.6' ]]; }
if attendi 10 copiato; then
    ok "typing \"1a2,3 b-4\", Ctrl+V, Escape, Enter and \"à5.6\" leaves \"123-45.6\""
else
    ko "the depth field should hold \"123-45.6\" but the clipboard holds \"$(appunti)\""
fi
# Enter would have shown the distance for a depth of 123 instead.
schermata filtro
verifica "Enter in the field started no run (the result is still the last one)" \
    test "$(impronta_risultato "$schermate/filtro.png")" == "$impronta_buona"
