# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a screen-reader user meets it, through the desktop's
accessibility bus (AT-SPI) on a private X server with a window manager.

    python3 desktop.py albero PROGRAM   the accessible tree and the keyboard
    python3 desktop.py orca PROGRAM     what Orca itself says

Run inside `dbus-run-session`, which CTest does; the script starts its own
Xvfb and openbox. Each check
prints OK or FAIL; the exit status is 0 only when all passed. Every wait is
bounded; on a failure the logs stay in the temporary folder printed.
"""

import fcntl
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

TITOLO = "Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo"
RISULTATO = "Distanza (d) metri: 16288"
ATTESA = 15  # seconds for anything to happen
LIMITE = 100  # seconds for the whole test, below CTest's limit

# The Tab stops in their order, each as (role, name) on the bus.
FERMATE = [
    ("push button", "Calcolo"),
    ("text", "Angolo di depressione (b) gradi"),
    ("text", "Profondità (h) metri"),
    ("image", "Schema della riflessione dal fondo"),
    ("image", "Sottomarino"),
]

# The labels, each read as its caption with the runs of blanks folded; the
# empty result reads as its caption until it shows a number.
ETICHETTE = [
    "50°", "0 0", "100 Km",
    "Esempio di calcolo: Per h = 1000 m e b = 7° Si ha: d = 16288 m",
    "distanza", "angolo di depressione",
    "Il diagramma assume come valore di profondità il valore dell'impostazione dati",
    "Limiti: da 5° a 50°", "Angolo di depressione (b) gradi", "Impostazione dati:",
    "Distanza (d) metri", "Distanza (d) metri", "Profondità (h) metri",
]

# The start of what each picture's description says.
DESCRIZIONI = {
    "Schema della riflessione dal fondo": "Schizzo di due sottomarini",
    "Sottomarino": "Sagoma di un sottomarino",
}

CARTELLA = os.path.dirname(os.path.abspath(__file__))


class Prova:
    def __init__(self, programma):
        self.programma = programma
        self.tmp = tempfile.mkdtemp(prefix="accessibilita_")
        self.processi = []
        self.falliti = 0
        self.controlli = 0
        self.inizio = time.monotonic()
        casa = os.path.join(self.tmp, "casa")
        corsa = os.path.join(self.tmp, "run")
        os.makedirs(corsa, mode=0o700)
        # A home of its own: no settings of the machine's user are read or
        # written, and the messages are in English whatever the machine's.
        self.ambiente = dict(
            os.environ,
            HOME=casa,
            XDG_CONFIG_HOME=os.path.join(casa, ".config"),
            XDG_DATA_HOME=os.path.join(casa, ".local", "share"),
            XDG_CACHE_HOME=os.path.join(casa, ".cache"),
            XDG_RUNTIME_DIR=corsa,
            LANG="C.UTF-8",
            LANGUAGE="",
            LC_ALL="C.UTF-8",
            QT_QPA_PLATFORM="xcb",
        )
        os.environ.update(self.ambiente)

    # --- reporting

    def verifica(self, riuscito, descrizione, dettaglio=""):
        self.controlli += 1
        if riuscito:
            print("OK      " + descrizione)
        else:
            self.falliti += 1
            print("FAIL    " + descrizione + (": " + dettaglio if dettaglio else ""))
        sys.stdout.flush()
        return riuscito

    def fatale(self, descrizione, dettaglio=""):
        self.verifica(False, descrizione, dettaglio)
        raise SystemExit(1)

    # --- processes

    def avvia(self, nome, comando, **opzioni):
        registro = open(os.path.join(self.tmp, nome + ".log"), "w")
        processo = subprocess.Popen(comando, stdout=registro, stderr=subprocess.STDOUT,
                                    env=opzioni.pop("env", self.ambiente), **opzioni)
        self.processi.append((nome, processo))
        return processo

    def chiudi(self):
        for _nome, processo in reversed(self.processi):
            if processo.poll() is None:
                processo.terminate()
                try:
                    processo.wait(5)
                except subprocess.TimeoutExpired:
                    processo.kill()
                    processo.wait()

    def attendi(self, condizione, secondi=ATTESA):
        """Polls every 0.1 s until the condition holds; its last value."""
        fine = time.monotonic() + secondi
        while True:
            valore = condizione()
            if valore or time.monotonic() >= fine:
                return valore
            if time.monotonic() >= self.inizio + LIMITE:
                self.fatale("gave up: the test has been running for %d s" % LIMITE)
            for nome, processo in self.processi:
                if processo.poll() is not None:
                    self.fatale(nome + " ended by itself", "exit status %d" % processo.returncode)
            time.sleep(0.1)

    def tasti(self, *argomenti):
        subprocess.run(["xdotool"] + list(argomenti), check=True, env=self.ambiente)

    def avvia_server_x(self):
        """A private X server on a display number it picks itself, so that
        tests running at once on the machine never race for one."""
        lettura, scrittura = os.pipe()
        self.avvia("xvfb", ["Xvfb", "-displayfd", str(scrittura), "-screen", "0", "1280x1024x24",
                            "-nolisten", "tcp", "-noreset"], pass_fds=(scrittura,))
        os.close(scrittura)
        numero = b""
        fine = time.monotonic() + ATTESA
        while not numero.endswith(b"\n") and time.monotonic() < fine:
            pronti, _, _ = select.select([lettura], [], [], fine - time.monotonic())
            parte = os.read(lettura, 16) if pronti else b""
            if not parte:
                break
            numero += parte
        os.close(lettura)
        if not numero.strip().isdigit():
            self.fatale("Xvfb starts and names its display", repr(numero))
        self.ambiente["DISPLAY"] = ":" + numero.decode().strip()
        os.environ["DISPLAY"] = self.ambiente["DISPLAY"]

    def avvia_desktop(self):
        self.avvia_server_x()
        self.avvia("openbox", ["openbox"])
        # The window manager is up when it has named itself on the root window.
        if not self.attendi(lambda: b"window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True).stdout):
            self.fatale("openbox started")

    def abilita_accessibilita(self):
        """What the desktop's accessibility switch does: applications that
        start from now on talk to the accessibility bus."""
        from gi.repository import Gio, GLib
        bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled",
                                             GLib.Variant("b", True))),
                      None, Gio.DBusCallFlags.NONE, ATTESA * 1000, None)

    def avvia_programma(self):
        self.avvia("programma", [self.programma])

    # --- the accessibility bus

    def applicazione(self):
        import pyatspi
        from gi.repository import Atspi
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "misuradistanza":
                # Read everything afresh: this client runs no event loop
                # that would keep a cache up to date.
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    def finestra(self):
        app = self.applicazione()
        if app is None:
            return None
        for i in range(app.childCount):
            figlio = app.getChildAtIndex(i)
            if figlio is not None and figlio.name == TITOLO:
                return figlio
        return None


def tutti(radice):
    """The object and all its descendants."""
    trovati = [radice]
    for i in range(radice.childCount):
        figlio = radice.getChildAtIndex(i)
        if figlio is not None:
            trovati.extend(tutti(figlio))
    return trovati


def stati(oggetto):
    import pyatspi
    insieme = oggetto.getState()
    return {nome for nome, valore in (("focusable", pyatspi.STATE_FOCUSABLE),
                                      ("focused", pyatspi.STATE_FOCUSED),
                                      ("showing", pyatspi.STATE_SHOWING),
                                      ("active", pyatspi.STATE_ACTIVE),
                                      ("editable", pyatspi.STATE_EDITABLE))
            if insieme.contains(valore)}


def etichettato_da(oggetto):
    import pyatspi
    for relazione in oggetto.getRelationSet():
        if relazione.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relazione.getTarget(i).name for i in range(relazione.getNTargets())]
    return []


def testo_di(oggetto):
    testo = oggetto.queryText()
    return testo.getText(0, testo.characterCount)


def in_fuoco(finestra):
    for oggetto in tutti(finestra):
        if "focused" in stati(oggetto):
            return oggetto
    return None


def descrivi(oggetto):
    return "%s %r" % (oggetto.getRoleName(), oggetto.name) if oggetto is not None else "nothing"


def prova_albero(p):
    p.avvia_desktop()
    p.abilita_accessibilita()
    p.avvia_programma()
    finestra = p.attendi(p.finestra)
    if finestra is None:
        p.fatale("the window appears on the accessibility bus")
    p.verifica(finestra.getRoleName() == "frame", "the window is a frame named by its title",
               descrivi(finestra))
    p.verifica(0 < len(finestra.description.split()) <= 30,
               "the window's description is short", finestra.description)

    if not p.attendi(lambda: in_fuoco(finestra) is not None):
        p.fatale("a control has the focus at start")
    oggetti = tutti(finestra)
    trovati = {(o.getRoleName(), o.name): o for o in oggetti}
    for ruolo, nome in FERMATE:
        oggetto = trovati.get((ruolo, nome))
        if p.verifica(oggetto is not None, "a %s named %r" % (ruolo, nome)):
            p.verifica({"focusable", "showing"} <= stati(oggetto) and oggetto.description,
                       "%r is focusable, showing and described" % nome, str(stati(oggetto)))
    etichette = [o for o in oggetti if o.getRoleName() == "label"]
    p.verifica(sorted(o.name for o in etichette) == sorted(ETICHETTE),
               "the labels read as their captions", str([o.name for o in etichette]))
    p.verifica(all("showing" in stati(o) and "focusable" not in stati(o) for o in etichette),
               "the labels are showing and never take the focus")
    senza_nome = [descrivi(o) for o in oggetti if "focusable" in stati(o) and not o.name.strip()]
    p.verifica(not senza_nome, "no unnamed focusable object", ", ".join(senza_nome))
    spaziati = [descrivi(o) for o in oggetti if "  " in o.name or o.name != o.name.strip()]
    p.verifica(not spaziati, "every name reads as words, without runs of blanks",
               ", ".join(spaziati))
    for ruolo, campo, didascalia in (("text", "Profondità (h) metri", "Profondità (h) metri"),
                                     ("text", "Angolo di depressione (b) gradi",
                                      "Angolo di depressione (b) gradi"),
                                     ("label", "Distanza (d) metri", "Distanza (d) metri")):
        oggetto = trovati.get((ruolo, campo))
        p.verifica(oggetto is not None and etichettato_da(oggetto) == [didascalia],
                   "%r is labelled by its caption" % campo,
                   str(etichettato_da(oggetto)) if oggetto is not None else "missing")
    grafici = [o for o in oggetti if o.getRoleName() == "chart"]
    p.verifica(len(grafici) == 1 and "Nessuna curva" in grafici[0].description,
               "the chart is an object of its own, with no curve yet",
               str([g.description for g in grafici]))
    if grafici:
        riquadro = grafici[0].queryComponent().getExtents(0)
        cornice = finestra.queryComponent().getExtents(0)
        p.verifica(riquadro.width > 100 and riquadro.height > 100
                   and cornice.x <= riquadro.x and riquadro.y > cornice.y + cornice.height // 3,
                   "the chart lies over the lower part of the window",
                   "%s in %s" % (riquadro, cornice))

    # Keyboard only: Tab through every stop and back to "Calcolo".
    p.verifica(descrivi(in_fuoco(finestra)) == "push button 'Calcolo'",
               "the focus starts on Calcolo", descrivi(in_fuoco(finestra)))
    for ruolo, nome in FERMATE[1:] + FERMATE[:1]:
        p.tasti("key", "Tab")
        atteso = "%s %r" % (ruolo, nome)
        p.verifica(p.attendi(lambda: descrivi(in_fuoco(finestra)) == atteso),
                   "Tab reaches " + atteso, descrivi(in_fuoco(finestra)))

    # Type the worked example and run it.
    angolo = trovati[FERMATE[1]]
    profondita = trovati[FERMATE[2]]
    p.tasti("key", "Tab")
    p.tasti("type", "7")
    p.tasti("key", "Tab")
    p.tasti("type", "1000")
    p.verifica(p.attendi(lambda: testo_di(profondita) == "1000" and testo_di(angolo) == "7"),
               "depth and angle typed", "%r %r" % (testo_di(profondita), testo_di(angolo)))
    p.tasti("key", "Tab", "Tab", "Tab")
    p.verifica(p.attendi(lambda: descrivi(in_fuoco(finestra)) == "push button 'Calcolo'"),
               "back on Calcolo")
    p.tasti("key", "Return")
    risultato = lambda: [o for o in tutti(finestra) if o.name == "16288" and o.getRoleName() == "label"]
    p.verifica(p.attendi(risultato), "the result reads 16288")
    annunci = [o for o in tutti(finestra) if o.getRoleName() == "notification"]
    p.verifica(len(annunci) == 1 and annunci[0].name == RISULTATO
               and "showing" in stati(annunci[0]),
               "the result is announced by a notification", str([o.name for o in annunci]))
    p.verifica(descrivi(in_fuoco(finestra)) == "push button 'Calcolo'",
               "the focus stays on Calcolo", descrivi(in_fuoco(finestra)))
    grafico = grafici[0] if grafici else None
    descrizione = grafico.description if grafico else ""
    p.verifica("profondità h = 1000 m" in descrizione and "a 5° 22860 m" in descrizione
               and "a 50° 1678 m" in descrizione,
               "the chart tells the depth and the distances", descrizione)


def prova_orca(p):
    parole = os.path.join(p.tmp, "parole.txt")
    open(parole, "w").close()
    impostazioni = os.path.join(p.ambiente["XDG_DATA_HOME"], "orca")
    os.makedirs(impostazioni)
    # Orca's own settings: our speech server, and no echo of the keys typed,
    # so that what is written is what Orca says of the program.
    with open(os.path.join(impostazioni, "user-settings.conf"), "w") as file:
        json.dump({"general": {"speechServerFactory": "vocesufile",
                               "enableSpeech": True,
                               "enableKeyEcho": False,
                               "enableEchoByCharacter": False,
                               "enableEchoByWord": False,
                               "enableTutorialMessages": False},
                   "pronunciations": {}, "keybindings": {},
                   "profiles": {"default": {"profile": ["Default", "default"]}}}, file)

    def detto():
        with open(parole, encoding="utf-8") as file:
            return file.read()

    segno = [0]

    def dopo():
        """What Orca said since the last mark."""
        return detto()[segno[0]:]

    def segna():
        segno[0] = len(detto())

    def sente(frase, descrizione):
        p.verifica(p.attendi(lambda: frase in dopo()), descrizione,
                   "Orca said: " + " | ".join(dopo().splitlines()))

    # Orca runs once per user on the whole machine and refuses to start
    # beside another one: tests started at once take turns through a lock,
    # and wait for any other Orca of the user to end.
    turno = open(os.path.join(tempfile.gettempdir(), "misuradistanza-orca-%d.lock" % os.getuid()),
                 "w")

    def libero():
        try:
            fcntl.flock(turno, fcntl.LOCK_EX | fcntl.LOCK_NB)
            return True
        except BlockingIOError:
            return False

    def altre_orca():
        return subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                              capture_output=True, text=True).stdout.split()

    if not p.attendi(libero, 60) or not p.attendi(lambda: not altre_orca(), 30):
        p.fatale("no other Orca of this user runs on the machine", " ".join(altre_orca()))
    p.avvia_desktop()
    # Orca finds the speech server beside this script.
    ambiente = dict(p.ambiente, MISURA_PAROLE=parole,
                    PYTHONPATH=os.pathsep.join(filter(None, [CARTELLA,
                                                             os.environ.get("PYTHONPATH")])))
    p.avvia("orca", ["orca", "--debug-file=" + os.path.join(p.tmp, "orca-debug.log")],
            env=ambiente)
    if not p.attendi(lambda: "Screen reader on" in detto(), 30):
        p.fatale("Orca starts and speaks through the test's speech server", detto())
    p.avvia_programma()
    sente("Calcolo push button", "at start Orca reads the focused Calcolo button")

    # Orca's "read title" command (Orca key, Insert, with keypad Enter).
    segna()
    p.tasti("keydown", "Insert", "key", "KP_Enter", "keyup", "Insert")
    sente(TITOLO, "Orca's read-title command says the window's title")

    for ruolo, nome in FERMATE[1:]:
        segna()
        p.tasti("key", "Tab")
        sente("%s %s" % (nome, ruolo), "Tab onto %r is spoken with its role, %s" % (nome, ruolo))
        if ruolo == "text":
            p.tasti("type", "7" if "Angolo" in nome else "1000")
        if ruolo == "image":
            frase = DESCRIZIONI[nome]
            sente(frase, "with its description")
    segna()
    p.tasti("key", "Tab")
    sente("Calcolo push button", "Tab back onto Calcolo")

    # The same result twice is heard twice.
    for tasto in ("Return", "space"):
        segna()
        p.tasti("key", tasto)
        sente(RISULTATO, "%s on Calcolo: Orca says the result" % tasto)

    # A zero angle fails: the message is spoken, no number with it, and none
    # when the focus comes back to the emptied result.
    segna()
    p.tasti("key", "Tab")
    sente("Angolo di depressione (b) gradi text", "Tab onto the angle")
    p.tasti("type", "0")
    segna()
    p.tasti("key", "shift+Tab")
    sente("Calcolo push button", "Shift+Tab back onto Calcolo")
    segna()
    p.tasti("key", "Return")
    sente("Divisione per zero", "a failed run: Orca says the message")
    p.verifica("alert" in dopo(), "as an alert", dopo())
    p.tasti("key", "Return")
    sente("Calcolo push button", "the message closed: back on Calcolo")
    time.sleep(1)  # let anything late be said before looking for it
    p.verifica("16288" not in dopo() and "notification" not in dopo(),
               "nothing is announced for the emptied result",
               " | ".join(dopo().splitlines()))


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("albero", "orca"):
        print(__doc__, file=sys.stderr)
        return 2
    modo, programma = sys.argv[1], os.path.abspath(sys.argv[2])
    p = Prova(programma)
    inizio = time.monotonic()
    stato = 1
    try:
        (prova_albero if modo == "albero" else prova_orca)(p)
        stato = 0 if p.falliti == 0 else 1
    except SystemExit as uscita:
        stato = uscita.code or 1
    finally:
        p.chiudi()
    durata = time.monotonic() - inizio
    if stato == 0:
        print("%s: all %d checks passed in %.0f s" % (modo, p.controlli, durata))
        shutil.rmtree(p.tmp, ignore_errors=True)
    else:
        print("%s: %d of %d checks failed; logs kept in %s" % (modo, p.falliti, p.controlli, p.tmp))
        for nome in ("programma", "orca"):
            registro = os.path.join(p.tmp, nome + ".log")
            if os.path.exists(registro) and os.path.getsize(registro):
                print("Last lines of %s.log:" % nome)
                with open(registro, errors="replace") as file:
                    for riga in file.readlines()[-10:]:
                        print("    " + riga.rstrip())
    return stato


if __name__ == "__main__":
    sys.exit(main())
