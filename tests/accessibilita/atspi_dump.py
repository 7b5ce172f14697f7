#!/usr/bin/env python3
"""What a screen reader finds in Tastavia's windows, through AT-SPI.

atspi_dump.py PROGRAM

Starts PROGRAM (finestre_atspi), waits until its four windows are on the
accessibility bus, and dumps every object. Fails when a control (button,
option, check box, list, text field, slider) has no name; when the input
line's description does not say the next character; when the figures of the
results and of the report are not readable as text; or when the command
row's press action does nothing. Run inside a session bus with a display.
"""
import subprocess
import sys
import time

import pyatspi

CONTROLLI = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_PAGE_TAB,
}


def applicazione(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def oggetti(nodo, profondita=0):
    yield nodo, profondita
    for i in range(nodo.childCount):
        figlio = nodo.getChildAtIndex(i)
        if figlio is not None:
            yield from oggetti(figlio, profondita + 1)


def main():
    programma = subprocess.Popen([sys.argv[1]], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    prima = programma.stdout.readline().split()
    if not prima or prima[0] != "pronto":
        print("the program did not start")
        return 1
    suono_prima = prima[1] if len(prima) > 1 else ""
    # What the input line should say of the next character.
    prossimo = programma.stdout.readline().strip()
    app = None
    finestre = []
    limite = time.time() + 30
    while time.time() < limite:
        app = applicazione(programma.pid)
        if app is not None:
            finestre = [app.getChildAtIndex(i) for i in range(app.childCount)]
            if len(finestre) >= 4:
                break
        time.sleep(0.3)
    errori = []
    if app is None or len(finestre) < 4:
        errori.append(f"the program's four windows are not on the bus (found {len(finestre)})")
    descrizioni = []
    campi = []
    comandi = []
    tabelle = {}   # window -> descriptions of six lines with figures
    for n, finestra in enumerate(finestre):
        print(f"== {finestra.getRoleName()} '{finestra.name}'")
        for o, p in oggetti(finestra):
            ruolo = o.getRole()
            stati = o.getState()
            visibile = stati.contains(pyatspi.STATE_SHOWING)
            print(f"{'  ' * p}{o.getRoleName()} '{o.name}' '{o.description[:60]}'" + ("" if visibile else " (hidden)"))
            if o.description:
                descrizioni.append(o.description)
                if o.description.count("\n") == 5 and any(ch.isdigit() for ch in o.description):
                    tabelle[n] = tabelle.get(n, 0) + 1
            if stati.contains(pyatspi.STATE_EDITABLE):
                campi.append(o.description)
            if ruolo in CONTROLLI and visibile and not o.name.strip():
                errori.append(f"a {o.getRoleName()} in '{finestra.name}' has no name")
            # A disabled button offers no action, as it should.
            if ruolo == pyatspi.ROLE_PUSH_BUTTON and visibile and stati.contains(pyatspi.STATE_ENABLED):
                try:
                    azioni = o.queryAction()
                    nomi = [azioni.getName(i) for i in range(azioni.nActions)]
                except NotImplementedError:
                    nomi = []
                if not any(n.lower() in ("press", "click", "activate") for n in nomi):
                    errori.append(f"button '{o.name}' cannot be pressed ({nomi})")
                comandi.append((o, nomi))
    if not prossimo or "%1" in prossimo or prossimo not in campi:
        errori.append(f"no input line says the next character ('{prossimo}' among {campi})")
    # The report's figures (its 402 words), and the results' three tables of six lines.
    if not any("402" in d for d in descrizioni):
        errori.append("the figures of the report are not readable as text")
    if max(tabelle.values(), default=0) < 3:
        errori.append("the tables of the results are not readable as text")

    # The sounds command, pressed as a screen reader presses it.
    suoni = [o for o, _ in comandi if o.name == sys.argv[2]] if len(sys.argv) > 2 else []
    if len(sys.argv) > 2 and not suoni:
        errori.append(f"no command named '{sys.argv[2]}'")
    for o in suoni[:1]:
        azioni = o.queryAction()
        for i in range(azioni.nActions):
            if azioni.getName(i).lower() == "press":
                azioni.doAction(i)
        time.sleep(1)
    uscita, _ = programma.communicate(timeout=30)
    if suoni and (not suono_prima or suono_prima in uscita):
        errori.append(f"pressing '{sys.argv[2]}' did not switch the sounds off ({uscita.strip()})")
    for e in errori:
        print("FAIL:", e)
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
