#!/usr/bin/python3
"""The program as a screen reader meets it, through AT-SPI: every control named and of the
right role, files selected and renamed through the program's own controls, and what a run
tells while it goes (the file in hand, the bar): a few times a second, never once per file.
    atspi.py PROGRAM FOLDER FILES   (correr.sh starts the display and the buses first)"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from comun import (aplicacion, arrancar, bombear, comprobar, comprobar_controles, esperar, estados,
                   lista, pulsar, rol, terminar, texto, xdotool)
from comun import ventana as ventana_de

PROGRAMA, CARPETA, N = sys.argv[1], sys.argv[2], int(sys.argv[3])
ETIQUETAS, TEXTOS = {"label", "static"}, {"text", "entry"}
# The roles a screen reader announces by name; panels and fillers only hold them.
CON_NOMBRE = {"push button", "radio button", "check box", "combo box", "list", "table",
              "tree", "tree table", "progress bar"} | TEXTOS | ETIQUETAS
FICHERO = re.compile(r"^f\d{5}\.(jpg|png)$")
EVENTOS = ("object:property-change:accessible-name", "object:text-changed",
           "object:visible-data-changed", "object:property-change:accessible-value",
           "object:value-changed")
SENSIBLE = {"sensitive"}  # a control that can be used now
PRINCIPAL = [  # roles, name, states it must have, states it must not have
    ({"push button"}, "Seleccionar", SENSIBLE, set()),
    ({"push button"}, "Renombrar", set(), SENSIBLE),
    (ETIQUETAS, "Ficheros", set(), set()),
    (ETIQUETAS, "0", set(), set()),
    ({"radio button"}, "Cambiar extensiones a:", {"checked"}, set()),
    *[({"radio button"}, n, set(), {"checked"})
      for n in ("A --> a", "a --> A", "Cambiar", "Añadir:", "Generar:")],
    # Where to add: a group of its own, out of reach until "Añadir:" is chosen.
    *[({"radio button"}, n, set(), SENSIBLE)
      for n in ("Al principio", "Al final", "En la posicion:")],
    (TEXTOS, "Nueva extensión", SENSIBLE, set()),
    *[(TEXTOS, n, set(), SENSIBLE) for n in ("Texto a buscar", "Texto nuevo", "Texto a añadir",
                                             "Posición", "Patrón", "Número inicial")],
    ({"progress bar"}, "Progreso", set(), set()),
]
MENUS = [({"menu", "menu item"}, n, set(), set()) for n in ("Opciones", "Ayuda")]
SELECCION = [
    ({"combo box"}, "Unidad", set(), set()),
    ({"list", "tree", "tree table", "table"}, "Carpetas", set(), set()),
    ({"list"}, "Archivos", set(), set()),
    ({"push button"}, "Aceptar", SENSIBLE, set()),
    ({"push button"}, "Cancelar", SENSIBLE, set()),
    ({"combo box"}, "FILTRO:", set(), set()),
]


def sin_nombre(ventana):
    """The controls a screen reader would announce with no name. The file name label over the
    bar is empty until a run: it lies below every control that takes input (or is hidden)."""
    def arriba_abajo(o):
        x = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return x.y, x.y + x.height
    controles = lista(ventana, CON_NOMBRE)
    fondo = max((arriba_abajo(o)[1] for o in controles if rol(o) not in ETIQUETAS), default=0)
    return [f"{rol(o)} at y={arriba_abajo(o)[0]}" for o in controles if not o.name and not (
        rol(o) in ETIQUETAS and ("showing" not in estados(o) or arriba_abajo(o)[0] >= fondo - 2))]


def main():
    app = aplicacion(arrancar([PROGRAMA], CARPETA).pid)
    if not comprobar(app, "the program is not on the AT-SPI desktop"):
        return
    ventana = ventana_de(app, {"frame"}, "Brindlewick")
    if not comprobar(ventana, "no frame 'Brindlewick'"):
        return

    # The window at rest. No window manager here: give it the focus as one would.
    xdotool("search", "--onlyvisible", "--name", "^Brindlewick$", "windowfocus", "--sync")
    principal = comprobar_controles(ventana, PRINCIPAL)
    barra_menus = lista(ventana, {"menu bar"})
    if comprobar(barra_menus, "no menu bar"):
        comprobar_controles(barra_menus[0], MENUS)
    foco = esperar(lambda: next((o for o in lista(ventana) if "focused" in estados(o)), None), 3)
    comprobar(foco and "focusable" in estados(foco), "no focused, focusable control in the window")
    for falta in sin_nombre(ventana):
        comprobar(False, f"{falta} in the window has no accessible name")

    # Every file of the folder, chosen in the selection dialog.
    numero = principal["0"]
    if not (numero and pulsar(principal["Seleccionar"], "Seleccionar")):
        return
    dialogo = ventana_de(app, {"dialog"}, "Seleccionar archivos", 10)
    if not comprobar(dialogo, "no dialog 'Seleccionar archivos' after pressing 'Seleccionar'"):
        return
    seleccion = comprobar_controles(dialogo, SELECCION)
    archivos = seleccion["Archivos"] or next(o for o in dialogo if rol(o) == "list")  # named or not
    if "Selection" in archivos.get_interfaces():
        archivos.querySelection().selectAll()
    else:  # Qt's lists take neither Selection nor the focus through AT-SPI: a click, Ctrl+A
        x = archivos.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", "--sync", str(x.x + x.width // 2), str(x.y + x.height // 2),
                "click", "1", "key", "--clearmodifiers", "ctrl+a")
    comprobar(esperar(lambda: archivos.queryTable().nSelectedRows == N, 5),
              f"{archivos.queryTable().nSelectedRows} of {N} files selected")
    pulsar(seleccion["Aceptar"], "Aceptar")
    if not comprobar(esperar(lambda: numero.name == str(N), 10),
                     f"the count reads {numero.name!r} after the selection, not {N}"):
        return

    # A run to .png. The labels and the bars are read as fast as the program answers, and
    # every event they send is kept, with what a screen reader reads on hearing it.
    caja = principal["Nueva extensión"] or next(o for o in lista(ventana, TEXTOS)
                                                if "sensitive" in estados(o))
    caja.queryEditableText().setTextContents("png")
    comprobar(esperar(lambda: texto(caja) == "png", 3), f"the extension box holds {texto(caja)!r}")
    etiquetas = [o for o in lista(ventana, ETIQUETAS) if o not in (numero, principal["Ficheros"])]
    barras = lista(ventana, {"progress bar"})
    nombres, valores, leido, eventos, listo = {}, {b: set() for b in barras}, [], [], False

    def anotar(evento):
        fuente, dato = evento.source, None
        try:
            if len(eventos) < 100:  # past a hundred, only counted
                dato = fuente.queryValue().currentValue if fuente in barras else fuente.name
        except GLib.Error:
            pass
        eventos.append((time.monotonic(), fuente, evento.type, repr(dato)))
    pyatspi.Registry.registerEventListener(anotar, *EVENTOS)
    esperar(lambda: False, 0.3)  # time for the program to hear of the listeners
    inicio = time.monotonic()
    if not pulsar(principal["Renombrar"], "Renombrar"):
        return
    while not listo and time.monotonic() - inicio < 30:
        try:
            listo = numero.name == "Listo"
            for o in etiquetas:
                for t in {o.name, texto(o)} - nombres.keys():
                    if FICHERO.match(t or ""):
                        nombres[t] = o
                        leido.append((time.monotonic() - inicio, t))
            for b in barras:
                v = b.queryValue()
                actual, maximo = v.currentValue, v.maximumValue
                # Between the ends: a bar that only starts and ends tells nothing on the way.
                if v.minimumValue < actual < maximo and actual not in valores[b]:
                    valores[b].add(actual)
                    leido.append((time.monotonic() - inicio, f"{b.name}: {actual:g} of {maximo:g}"))
        except GLib.Error:  # an object changing under us: read it again
            pass
        bombear()
        time.sleep(0.002)
    duracion = time.monotonic() - inicio
    esperar(lambda: False, 0.2)  # the last events
    pyatspi.Registry.deregisterEventListener(anotar, *EVENTOS)

    comprobar(listo, f"the count never read 'Listo' (it reads {numero.name!r})")
    comprobar(len(nombres) >= 2, f"{len(nombres)} file names read on a label during the run "
              f"({len(etiquetas)} labels watched)")
    barra = max(valores, key=lambda b: len(valores[b]), default=None)
    comprobar(barra and len(valores[barra]) >= 2,
              f"{len(valores[barra]) if barra else 0} values read on a progress bar during the run"
              " (between its minimum and maximum)")
    limite = 10 * duracion + 3  # a few a second, and the label emptied at the end
    vistos = {"file name label": next(iter(nombres.values()), None), "progress bar": barra}
    for que, objeto in vistos.items():
        n = sum(1 for e in eventos if objeto is not None and e[1] == objeto)
        comprobar(objeto is None or 1 <= n <= limite,
                  f"the {que} sent {n} events in {duracion:.2f} s (1 to {limite:.0f} wanted)")
    png = subprocess.run(["find", CARPETA, "-maxdepth", "1", "-name", "*.png"],
                         capture_output=True, text=True, timeout=10).stdout.count("\n")
    comprobar(png == N, f"{png} of {N} files renamed to .png")

    # What a screen reader was given: the events, and what it could read at any moment.
    print(f"Run of {N} files: {duracion:.2f} s from 'Renombrar' to 'Listo'.")
    vistos["count"] = numero
    suyos = [(t - inicio, f"{que}, {tipo.split(':')[-1]}: {dato}")
             for t, fuente, tipo, dato in eventos
             for que, objeto in vistos.items() if objeto is not None and fuente == objeto]
    paso = max(1, len(leido) // 20)
    secciones = {f"Events of the label, the bar and the count ({len(suyos)} of {len(eventos)})":
                 suyos[:30],
                 f"Read by polling ({len(leido)} changes, one in {paso} shown)": leido[::paso]}
    for titulo, filas in secciones.items():
        print(titulo + ":")
        for t, que in filas:
            print(f"  {t:6.3f} s  {que}")


terminar(main)
