#!/usr/bin/python3
"""The program as a file manager starts it: "--help" and "--version" without a display; files
and file:// URIs on its command line (a byte that is not UTF-8, blanks, quotes, a line break)
with a missing one, selected and renamed byte for byte; the menu entry started by gio with files
of another folder, a window of its own beside the first; files of two folders refused; English
when the user's language is English.
    lanzar.py PROGRAM FOLDER   (correr.sh starts the display and the buses first)"""
import os
import signal
import subprocess
import sys
import urllib.parse

import pyatspi

from comun import (aplicacion, arrancar, comprobar, esperar, lista, pulsar, rol, terminar, texto)
from comun import ventana as ventana_de

PROGRAMA, CARPETA = sys.argv[1], os.fsencode(sys.argv[2])
ENTRADA = os.path.join(os.path.dirname(__file__), "..", "..", "data", "brindlewick.desktop")
RAROS = [b"caf\xe9.jpg", b"con espacio.jpg", b"comillas \"dobles\" y 'simples'.jpg",
         b"salto\nde l\xc3\xadnea.jpg", b"IMG_10.jpg", b"IMG_2.jpg"]


def uri(ruta):
    return b"file://" + urllib.parse.quote_from_bytes(ruta).encode()


def crear(carpeta, nombres):
    os.makedirs(carpeta, exist_ok=True)
    for n in nombres:
        with open(os.path.join(carpeta, n), "wb") as f:
            f.write(n)


def etiquetas(raiz):
    return [o.name or texto(o) for o in lista(raiz, {"label", "static"})]


def ventana_con(app, cuenta):
    """The main window of `app` once its count reads `cuenta`; each message it shows first is
    read and closed with "Aceptar", and returned in order."""
    mensajes = []
    principal = ventana_de(app, {"frame"}, "Brindlewick", 10)
    if not comprobar(principal, "no frame 'Brindlewick'"):
        return None, mensajes

    def listo():
        aviso = next((v for v in app if rol(v) in {"alert", "dialog"} and v.name == "Brindlewick"), None)
        if aviso:
            mensajes.append(" ".join(etiquetas(aviso)))
            boton = next((b for b in lista(aviso, {"push button"}) if b.name == "Aceptar"), None)
            if pulsar(boton, "Aceptar"):
                esperar(lambda: aviso not in list(app), 5)
            return False
        return cuenta in etiquetas(principal)
    comprobar(esperar(listo, 10), f"the count never read {cuenta!r}: {etiquetas(principal)}")
    return principal, mensajes


def main():
    # On the terminal, with no display at all.
    sin_pantalla = {k: v for k, v in os.environ.items() if k not in {"DISPLAY", "WAYLAND_DISPLAY"}}
    for opcion, inicio in (("--help", "Uso: brindlewick"), ("--version", "Brindlewick ")):
        r = subprocess.run([PROGRAMA, opcion], env=sin_pantalla, capture_output=True, timeout=10)
        comprobar(r.returncode == 0 and r.stdout.decode().startswith(inicio),
                  f"{opcion}: status {r.returncode}, printed {r.stdout[:60]!r} {r.stderr[:200]!r}")

    a, b = os.path.join(CARPETA, b"a"), os.path.join(CARPETA, b"b")
    crear(a, RAROS)
    crear(b, [b"otra.jpg", b"caf\xe9 2.jpg"])
    # By path, relative or not, and by URI, with a file that is not there.
    dados = [os.path.join(a, RAROS[0]), uri(os.path.join(a, RAROS[3])), RAROS[1], RAROS[2],
             os.path.join(a, b"IMG_10.jpg"), uri(os.path.join(a, b"IMG_2.jpg")), b"falta.jpg"]
    primera = aplicacion(arrancar([os.fsencode(PROGRAMA), *dados], a).pid)
    if not comprobar(primera, "the program started with files is not on the AT-SPI desktop"):
        return
    ventana, mensajes = ventana_con(primera, "6")
    comprobar(len(mensajes) == 1 and "falta.jpg: no existe" in mensajes[0],
              f"the missing file was not named: {mensajes}")
    caja = next((o for o in lista(ventana, {"text", "entry"}) if o.name == "Nueva extensión"), None)
    if comprobar(caja, "no box 'Nueva extensión'"):
        caja.queryEditableText().setTextContents("png")
    renombrar = next((o for o in lista(ventana, {"push button"}) if o.name == "Renombrar"), None)
    pulsar(renombrar, "Renombrar")
    comprobar(esperar(lambda: "Listo" in etiquetas(ventana), 10), "the run never read 'Listo'")
    hechos = sorted(os.listdir(a))
    comprobar(hechos == sorted(n[:-3] + b"png" for n in RAROS), f"the folder holds {hechos}")

    # The menu entry, as a file manager starts it, while the first window stays: a window of
    # its own with its own files.
    entorno = {"PATH": os.path.dirname(os.path.abspath(PROGRAMA)) + ":" + os.environ["PATH"]}
    arrancar([b"gio", b"launch", os.fsencode(ENTRADA), *[os.path.join(b, n) for n in os.listdir(b)]],
             CARPETA, **entorno).wait(10)
    segunda = esperar(lambda: next((x for x in pyatspi.Registry.getDesktop(0) if x and x.name.lower() == "brindlewick"
                                    and x.get_process_id() != primera.get_process_id()), None), 10)
    if comprobar(segunda, "no second window from the menu entry"):
        pid = segunda.get_process_id()
        ventana_con(aplicacion(pid), "2")
        os.kill(pid, signal.SIGTERM)
        comprobar("Listo" in etiquetas(ventana), "the first window changed")

    # Files of two folders: said, and none taken.
    tercera = aplicacion(arrancar([os.fsencode(PROGRAMA), os.path.join(b, b"otra.jpg"),
                                   os.path.join(a, b"IMG_2.png")], CARPETA).pid)
    if comprobar(tercera, "the third start is not on the AT-SPI desktop"):
        _, mensajes = ventana_con(tercera, "0")
        comprobar(any("2 carpetas distintas" in m for m in mensajes), f"two folders not said: {mensajes}")

    # In the language the user prefers: English before Spanish; otherwise Spanish, whatever
    # else the system speaks.
    for lengua, ayuda in (("en_US.UTF-8", "Usage: brindlewick"), ("es_ES.UTF-8", "Uso: brindlewick"),
                          ("de_DE.UTF-8", "Uso: brindlewick")):
        r = subprocess.run([PROGRAMA, "--help"], env={**sin_pantalla, "LC_ALL": "", "LANGUAGE": "", "LANG": lengua},
                           capture_output=True, timeout=10)
        comprobar(r.stdout.decode().startswith(ayuda), f"--help under {lengua} printed {r.stdout[:40]!r}")
    inglesa = aplicacion(arrancar([os.fsencode(PROGRAMA)], CARPETA, LC_ALL="", LANGUAGE="", LANG="en_US.UTF-8").pid)
    principal = inglesa and ventana_de(inglesa, {"frame"}, "Brindlewick", 10)
    botones = {o.name for o in lista(principal, {"push button"})} if principal else set()
    comprobar({"Select", "Rename"} <= botones, f"the window under en_US is not in English: {botones}")


terminar(main)
