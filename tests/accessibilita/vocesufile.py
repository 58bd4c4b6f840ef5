# SPDX-License-Identifier: GPL-3.0-or-later
"""A speech server for Orca that writes what it would say to a file.

Orca loads its speech server from the module its settings name; this one
takes the place of a sound card in the tests: every utterance becomes one
line of the file named by MISURA_PAROLE, written at once so that the test
can read it while Orca runs.
"""

import os

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    _attivo = None

    @staticmethod
    def getFactoryName():
        return "File"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @classmethod
    def getSpeechServer(cls, info=None):
        if cls._attivo is None:
            cls._attivo = cls()
        return cls._attivo

    @classmethod
    def shutdownActiveServers(cls):
        if cls._attivo is not None:
            cls._attivo.shutdown()
            cls._attivo = None

    def __init__(self):
        super().__init__()
        self._file = open(os.environ["MISURA_PAROLE"], "a", encoding="utf-8")

    def _scrivi(self, testo):
        if self._file is None or not testo:
            return
        # One utterance, one line.
        self._file.write(" ".join(str(testo).split()) + "\n")
        self._file.flush()

    def getInfo(self):
        return ["File", "file"]

    def getVoiceFamilies(self):
        return []

    def speak(self, text=None, acss=None, interrupt=True):
        self._scrivi(text)

    def speakCharacter(self, character, acss=None):
        self._scrivi(character)

    def speakKeyEvent(self, event, acss=None):
        self._scrivi(getattr(event, "event_string", ""))

    def sayAll(self, utteranceIterator, progressCallback):
        for contesto, _voce in utteranceIterator:
            self._scrivi(getattr(contesto, "utterance", contesto))

    def shutdown(self):
        if self._file is not None:
            self._file.close()
            self._file = None
