# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a native Wayland client, under weston's headless
backend: it asks to be maximized under its desktop id, a calculation draws
the curve that a screenshot shows where the formula puts it, and it ends when
told to, with nothing reported on the way.

    dbus-run-session -- /usr/bin/python3 wayland.py PATH/TO/misuradistanza DESKTOP-ID

The headless backend has no seat, so no key or click can reach the window.
The calculation is run the way a screen reader runs it instead, through the
accessibility bus: the depth and the angle are written into their fields and
"Calcolo" is pressed. For the same reason the compositor cannot ask the
window to close, so the program is stopped with SIGTERM at the end.

Screenshots and logs stay in a temporary folder, whose path is printed on a
failure.
"""

import math
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

PROGRAMMA, ID = sys.argv[1], sys.argv[2]
LARGHEZZA, ALTEZZA = 1280, 1024
PRESA = "misura-wayland"

# The chart in pixels of the window's client area at scale 1: the corner of
# the axes, the x axis to the right of it and the y axis above it.
ANGOLO_ASSI = (33, 549)
LUNGHEZZA_ASSE_X = 226
LUNGHEZZA_ASSE_Y = 150

cartella = tempfile.mkdtemp(prefix="wayland.")
falliti = 0


def ok(testo):
    print("OK      " + testo, flush=True)


def ko(testo):
    global falliti
    falliti += 1
    print("FAIL    " + testo, flush=True)


def fatale(testo):
    ko(testo)
    raise SystemExit(1)


def attendi(secondi, condizione):
    """Repeats condizione every 0.2 s until it is true or the time runs out."""
    fine = time.monotonic() + secondi
    while True:
        risultato = condizione()
        if risultato or time.monotonic() > fine:
            return risultato
        time.sleep(0.2)


def schermata(nome):
    """The whole output as rows of RGB bytes, through weston's screenshooter."""
    cartella_foto = os.path.join(cartella, "foto")
    os.makedirs(cartella_foto, exist_ok=True)
    for vecchio in os.listdir(cartella_foto):
        os.remove(os.path.join(cartella_foto, vecchio))
    subprocess.run(["weston-screenshooter"], cwd=cartella_foto, env=ambiente, check=True, timeout=30)
    (foto,) = os.listdir(cartella_foto)
    png = os.path.join(cartella, nome + ".png")
    os.rename(os.path.join(cartella_foto, foto), png)
    grezzi = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], capture_output=True,
                            check=True).stdout
    if len(grezzi) != LARGHEZZA * ALTEZZA * 3:
        fatale(f"the screenshot {png} is not {LARGHEZZA}x{ALTEZZA}")
    riga = LARGHEZZA * 3
    return [grezzi[y * riga:(y + 1) * riga] for y in range(ALTEZZA)]


def pixel(righe, x, y):
    return tuple(righe[y][3 * x:3 * x + 3])


def trova_assi(righe):
    """Where the corner of the chart's axes is on the screen: the left end of a
    black horizontal run as long as the x axis, with the y axis going up from
    it. The window's place on the output is the compositor's choice."""
    nero = b"\0\0\0" * LUNGHEZZA_ASSE_X
    for y in range(LUNGHEZZA_ASSE_Y, ALTEZZA):
        inizio = righe[y].find(nero)
        while inizio >= 0:
            if inizio % 3 == 0:
                x = inizio // 3
                if all(pixel(righe, x, y - i) == (0, 0, 0) for i in range(LUNGHEZZA_ASSE_Y)):
                    return x, y
            inizio = righe[y].find(nero, inizio + 1)
    return None


def punto_curva(h, b):
    """The client-area pixel of the curve for depth h and angle b, from the
    program's own rule: d = 2h / tan(3.14159 b / 180) metres, 100 km at most,
    drawn at twips (b * 64.4 + 500, 8240 - d * 0.0224), 15 twips a pixel."""
    d = min(2 * h / math.tan(3.14159 * b / 180), 100000)
    return int((b * 64.4 + 500) / 15 + 1e-6), int((8240 - d * 0.0224) / 15 + 1e-6)


ambiente = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
                         "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR")}
ambiente["XDG_RUNTIME_DIR"] = os.path.join(cartella, "run")
os.mkdir(ambiente["XDG_RUNTIME_DIR"], 0o700)
ambiente["WAYLAND_DISPLAY"] = PRESA

weston = None
programma = None
try:
    with open(os.path.join(cartella, "weston.log"), "w") as registro:
        weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", f"--socket={PRESA}",
             f"--width={LARGHEZZA}", f"--height={ALTEZZA}", "--idle-time=0",
             # --debug opens the screenshooter to clients.
             "--debug"],
            env=ambiente, stdout=registro, stderr=subprocess.STDOUT)
    presa = os.path.join(ambiente["XDG_RUNTIME_DIR"], PRESA)
    if not attendi(20, lambda: os.path.exists(presa) or weston.poll() is not None) \
            or weston.poll() is not None:
        fatale("weston does not listen on its socket within 20 s (see weston.log)")
    ok(f"weston's headless backend listens on {PRESA}")

    # WAYLAND_DEBUG shows every request the program makes of the compositor.
    log_programma = os.path.join(cartella, "programma.log")
    with open(log_programma, "w") as registro:
        programma = subprocess.Popen(
            [PROGRAMMA],
            env=dict(ambiente, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1",
                     QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"),
            stdout=registro, stderr=subprocess.STDOUT)

    def protocollo():
        with open(log_programma, errors="replace") as f:
            return f.read()

    richieste = {
        "the window asks to be maximized": r"-> xdg_toplevel@\d+\.set_maximized\(\)",
        f"the window gives the desktop id {ID} as its app id":
            r'-> xdg_toplevel@\d+\.set_app_id\("' + re.escape(ID) + r'"\)',
    }
    for descrizione, modello in richieste.items():
        if attendi(20, lambda: re.search(modello, protocollo()) or programma.poll() is not None) \
                and programma.poll() is None:
            ok(descrizione + " (a native Wayland client: xdg-shell requests)")
        else:
            fatale(descrizione + ": no such request (see programma.log)")

    # The compositor's answer: the whole width of the output, the height less
    # the shell's panel.
    def configurata():
        for larghezza, altezza in re.findall(r"xdg_toplevel@\d+\.configure\((\d+), (\d+),",
                                             protocollo()):
            if int(larghezza) == LARGHEZZA and 0 < int(altezza) <= ALTEZZA:
                return larghezza, altezza
        return None

    misura = attendi(20, configurata)
    if misura:
        ok(f"weston gives it {misura[0]}x{misura[1]}, the output's width")
    else:
        ko("weston never gives the window the output's width")

    def assi_visibili():
        righe = schermata("avvio")
        assi = trova_assi(righe)
        return (righe, assi) if assi else None

    prima = attendi(20, assi_visibili)
    if not prima:
        fatale("no chart axes on the screenshot within 20 s (see avvio.png)")
    righe_avvio, assi = prima
    scarto = (assi[0] - ANGOLO_ASSI[0], assi[1] - ANGOLO_ASSI[1])
    ok(f"the chart's axes are on the screenshot; the client area starts at {scarto}")

    # The accessibility bus is asked only now: pyatspi's list of applications
    # is filled when it is first read.
    import pyatspi

    def applicazione():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "misuradistanza":
                return app
        return None

    app = attendi(20, applicazione)
    if not app:
        fatale("the program does not appear on the accessibility bus within 20 s")

    def tutti(nodo):
        for figlio in nodo:
            if figlio is not None:
                yield figlio
                yield from tutti(figlio)

    controlli = list(tutti(app))

    def unico(ruolo, inizio):
        trovati = [c for c in controlli if c.getRoleName() == ruolo and c.name.startswith(inizio)]
        if len(trovati) != 1:
            fatale(f"{len(trovati)} {ruolo} controls named \"{inizio}...\", not one")
        return trovati[0]

    # Labels offer no text of their own on the bus, only a name and a
    # description; the result shows in one of them after the press.
    def testi_etichette():
        return {c.name + "\n" + c.description for c in controlli if c.getRoleName() == "label"}

    testi_prima = testi_etichette()
    profondita, angolo = 1000, 7
    unico("text", "Profondità").queryEditableText().setTextContents(str(profondita))
    unico("text", "Angolo di depressione").queryEditableText().setTextContents(str(angolo))
    calcolo = unico("push button", "Calcolo")
    azione = calcolo.queryAction()
    azione.doAction([azione.getName(i) for i in range(azione.nActions)].index("Press"))
    ok(f"depth {profondita} and angle {angolo} written and \"Calcolo\" pressed")

    # The result is the greatest whole number of metres not above d.
    atteso = str(math.floor(2 * profondita / math.tan(3.14159 * angolo / 180)))

    def risultato():
        return any(re.search(rf"\b{atteso}\b", t) for t in testi_etichette() - testi_prima)

    if attendi(20, risultato):
        ok(f"the result {atteso} is shown")
    else:
        ko(f"no label shows the result {atteso}")

    def curva():
        righe = schermata("calcolo")
        x, y = punto_curva(profondita, angolo)
        if pixel(righe, x + scarto[0], y + scarto[1]) == (0, 0, 255):
            return righe
        return None

    righe = attendi(20, curva)
    if not righe:
        fatale("20 s after \"Calcolo\" the curve is not on the screenshot (see calcolo.png)")
    for b in (1, 1.5, 3, 7, 12, 20, 30, 45):
        x, y = punto_curva(profondita, b)
        colore = pixel(righe, x + scarto[0], y + scarto[1])
        if colore == (0, 0, 255):
            ok(f"curve point b={b} is blue at ({x},{y})")
        else:
            ko(f"curve point b={b} should be blue at ({x},{y}) but is rgb{colore}")
    for nome, griglia in (("before", righe_avvio), ("after", righe)):
        blu = sum(pixel(griglia, x + scarto[0], y + scarto[1]) == (0, 0, 255)
                  for y in range(ANGOLO_ASSI[1] - LUNGHEZZA_ASSE_Y, ANGOLO_ASSI[1] + 1)
                  for x in range(ANGOLO_ASSI[0], ANGOLO_ASSI[0] + LUNGHEZZA_ASSE_X))
        # The 4,901 points share pixels; about 350 are left for a depth of 1000 m.
        buono = blu == 0 if nome == "before" else 200 <= blu <= 4901
        (ok if buono else ko)(f"{nome} \"Calcolo\" the chart holds {blu} blue pixels")

    if programma.poll() is not None:
        fatale(f"the program ended by itself with status {programma.returncode}")
    programma.send_signal(signal.SIGTERM)
    try:
        stato = programma.wait(10)
    except subprocess.TimeoutExpired:
        fatale("the program is still running 10 s after SIGTERM")
    if stato == -signal.SIGTERM:
        ok("the program was running until SIGTERM ended it")
    else:
        ko(f"the program ended with status {stato} on SIGTERM")
    # Qt's own complaints (a lost connection, a protocol error, a fallback to
    # another platform, painting outside a paint event) would show here.
    lamentele = [riga for riga in protocollo().splitlines()
                 if not re.match(r"^\[\s*\d+\.\d+\]", riga) and riga.strip()]
    if lamentele:
        ko("the program reported: " + " | ".join(lamentele[:10]))
    else:
        ok("the program reported nothing besides its Wayland requests")
finally:
    for processo in (programma, weston):
        if processo is not None and processo.poll() is None:
            processo.kill()
            processo.wait()
    if falliti:
        print(f"{falliti} checks failed; screenshots and logs are in {cartella}", flush=True)
    else:
        subprocess.run(["rm", "-rf", cartella], check=False)

sys.exit(1 if falliti else 0)
