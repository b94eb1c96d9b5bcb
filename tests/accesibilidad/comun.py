"""What the tests that drive the real program through AT-SPI share: checks that are counted,
waits with a limit, the accessible tree read afresh, keys and clicks as a user gives them, and
the program started as a file manager or a menu starts it."""
import atexit
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

fallos = []


def comprobar(ok, texto):
    if not ok:
        fallos.append(texto)
        print("FAIL:", texto, flush=True)
    return ok


def bombear():
    """Delivers the events that arrived; nothing runs a main loop for us."""
    while GLib.MainContext.default().iteration(False):
        pass


def esperar(condicion, segundos, paso=0.05):
    """The first true value of `condicion` within `segundos`, else None."""
    fin = time.monotonic() + segundos
    while True:
        try:
            valor = condicion()
        except GLib.Error:  # an object gone from the tree meanwhile
            valor = None
        if valor or time.monotonic() > fin:
            return valor or None
        bombear()
        time.sleep(paso)


def rol(o):
    return o.getRoleName()


def estados(o):
    return {pyatspi.stateToString(s) for s in o.getState().getStates()}


def lista(raiz, roles=None):
    """What `raiz` holds (of `roles`); a list managing its items (20000 files) is not entered."""
    hallados = [raiz] if roles is None or rol(raiz) in roles else []
    if "manages descendants" not in estados(raiz):
        for hijo in filter(None, raiz):
            hallados += lista(hijo, roles)
    return hallados


def texto(o):
    try:
        return o.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def etiquetado(o, nombre):
    """Whether `o` is labelled by a label named `nombre`, which a screen reader reads with it
    (Qt names a combo box by its current text and leaves its caption to that relation)."""
    return any(r.getRelationType() == pyatspi.RELATION_LABELLED_BY and r.getTarget(i).name == nombre
               for r in o.getRelationSet() for i in range(r.getNTargets()))


def comprobar_controles(raiz, filas):
    """Checks each row of a table like PRINCIPAL; returns the controls found, by name."""
    hallados, todos = {}, [(x, rol(x), x.name) for x in lista(raiz)]  # each call is a message
    for roles, nombre, con, sin in filas:
        de_rol = [(x, n) for x, r, n in todos if r in roles]
        o = hallados[nombre] = next((x for x, n in de_rol if n == nombre), None) \
            or next((x for x, _ in de_rol if etiquetado(x, nombre)), None)
        if not o:
            otros = ", ".join(sorted({repr(n) for _, n in de_rol})) or "none"
            comprobar(False, f"no {'/'.join(sorted(roles))} named {nombre!r} in {raiz.name!r}"
                      f" (there: {otros})")
        else:
            comprobar(con <= estados(o) and not sin & estados(o), f"{nombre!r}: states "
                      f"{sorted(estados(o))}, wanted {sorted(con)} without {sorted(sin)}")
    return hallados


def xdotool(*orden):
    """Keys, clicks and focus as a user or a window manager gives them."""
    try:
        ok = subprocess.run(["xdotool", *orden], timeout=5).returncode == 0
    except subprocess.TimeoutExpired:
        ok = False
    return comprobar(ok, f"xdotool {' '.join(orden)} failed")


def pulsar(o, nombre):
    # Qt answers a press of a greyed button with an error about a vanished object.
    ok = comprobar(o is not None and "sensitive" in estados(o), f"{nombre!r} cannot be pressed")
    if ok:
        o.queryAction().doAction(0)
    return ok


def arrancar(orden, carpeta, **entorno):
    """Starts `orden` (a list of str or bytes) in `carpeta` on this display, its output kept
    for a failure; it is stopped when the test ends. A start the display refused at once (seen
    on a loaded machine, never reproduced) is tried again, and said."""
    for intento in range(3):
        salida = open(os.path.join(os.environ["XDG_RUNTIME_DIR"], f"programa-{len(_programas)}.log"), "wb")
        proceso = subprocess.Popen(orden, cwd=carpeta, stdout=salida, stderr=subprocess.STDOUT,
                                   env={**os.environ, "QT_QPA_PLATFORM": "xcb", **entorno})
        _programas.append((proceso, salida.name))
        try:
            proceso.wait(0.5)
        except subprocess.TimeoutExpired:
            return proceso
        with open(salida.name, "rb") as f:
            if b"could not connect to display" not in f.read():
                return proceso
        print(f"note: the display refused the program (start {intento + 1}); started again", flush=True)
        time.sleep(0.5)
    return proceso


_programas = []


@atexit.register
def _parar():
    for proceso, _ in _programas:
        proceso.terminate()
    for proceso, _ in _programas:
        try:
            proceso.wait(3)
        except subprocess.TimeoutExpired:
            proceso.kill()


def aplicacion(pid, segundos=10):
    """The program of process `pid` on the AT-SPI desktop; nothing is answered from a cache."""
    escritorio = pyatspi.Registry.getDesktop(0)
    app = esperar(lambda: next((a for a in escritorio if a and a.get_process_id() == pid), None),
                  segundos)
    if app:
        app.set_cache_mask(Atspi.Cache.NONE)
    return app


def ventana(app, roles, nombre, segundos=5):
    """The top window of `app` of one of `roles` named `nombre`."""
    return esperar(lambda: next((v for v in app if v.name == nombre and rol(v) in roles), None),
                   segundos)


def terminar(main):
    """Runs the test, says how it went and exits with it."""
    try:
        main()
    except GLib.Error as error:  # the program gone, or an object with it
        comprobar(False, f"AT-SPI: {error.message}")
    if fallos:
        for _, registro in _programas:
            with open(registro, errors="replace") as f:
                if lineas := f.readlines()[-20:]:
                    print(f"--- the output of {registro}:", *lineas, sep="", end="")
    print("OK" if not fallos else f"{len(fallos)} checks failed")
    sys.exit(1 if fallos else 0)
