#!/usr/bin/env python3
"""Seeds each fault of tests/fallos/*.fallo, one at a time, and tells which test program
catches it: the programs a fault names run in their order, up to the first that fails.

The faults are seeded in a copy of the tree (build-fallos/fuente), never in the tree itself,
and each is taken back before the next; the copy is built incrementally in build-fallos/obj,
and only the test programs a fault names are built and run. Exit status 1 when a fault is not
caught, 2 when the list itself is wrong (an edit that does not apply, a fault that does not
build, a test program that does not exist or fails without any fault).

A fault file:
    # what the fault breaks, in one line
    programs: tst_engine tst_resistencia:discoLleno,corteDeLuz
    @ src/engine/Reglas.cpp
    -    the exact lines to replace (they must occur once in the file)
    +    the lines put in their place
with as many "@ file" hunks as it needs. A program may name the test functions to run, where
the whole program would take long.

    tests/fallos/sembrar.py [NAME...]     only the faults whose file names contain a NAME
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import time

RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TRABAJO = os.path.join(RAIZ, "build-fallos")
FUENTE = os.path.join(TRABAJO, "fuente")
OBJ = os.path.join(TRABAJO, "obj")
LISTA = os.path.join(RAIZ, "tests", "fallos")


class ListaMal(Exception):
    """The fault list is wrong, not the program."""


def leer_fallo(ruta):
    descripcion, programas, trozos = None, None, []
    with open(ruta, encoding="utf-8") as f:
        for linea in f.read().split("\n"):
            if linea.startswith("# ") and descripcion is None:
                descripcion = linea[2:].strip()
            elif linea.startswith("programs:"):
                programas = linea[len("programs:"):].split()
            elif linea.startswith("@ "):
                trozos.append([linea[2:].strip(), [], []])
            elif linea[:1] in ("-", "+") and trozos:
                trozos[-1][1 if linea[0] == "-" else 2].append(linea[1:])
            elif linea.strip():
                raise ListaMal(f"{os.path.basename(ruta)}: a line that means nothing: {linea!r}")
    if not descripcion or not programas or not trozos or any(not t[1] for t in trozos):
        raise ListaMal(f"{os.path.basename(ruta)}: needs '# ...', 'programs:' and '@ file' with '-' lines")
    return {"nombre": os.path.basename(ruta)[:-6], "descripcion": descripcion,
            "programas": programas, "trozos": trozos}


def ficheros_del_arbol():
    salida = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=RAIZ,
                            check=True, capture_output=True).stdout
    return [f for f in salida.decode().split("\0") if f and os.path.isfile(os.path.join(RAIZ, f))]


def leer(ruta):
    with open(ruta, "rb") as f:
        return f.read()


def sincronizar():
    """Brings the copy to the tree's contents, touching only what differs, so that the
    incremental build after the last run stays valid."""
    nombres = ficheros_del_arbol()
    for n in nombres:
        origen, destino = os.path.join(RAIZ, n), os.path.join(FUENTE, n)
        if not os.path.exists(destino) or leer(origen) != leer(destino):
            os.makedirs(os.path.dirname(destino), exist_ok=True)
            # A fresh time, not the tree's: a copy left faulted by a killed run is older than
            # its objects, and keeping the tree's older time would leave them standing.
            shutil.copy(origen, destino)
    return nombres


def igual_al_arbol(nombres):
    return [n for n in nombres if leer(os.path.join(RAIZ, n)) != leer(os.path.join(FUENTE, n))]


def ejecutar(orden, **opciones):
    return subprocess.run(orden, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          **opciones)


def programa_y_funciones(programa):
    nombre, _, funciones = programa.partition(":")
    return nombre, [f for f in funciones.split(",") if f]


def compilar(programas):
    objetivos = sorted({programa_y_funciones(p)[0] for p in programas})
    r = ejecutar(["cmake", "--build", OBJ, "--target", *objetivos])
    return r.returncode == 0, r.stdout


def leer_pruebas():
    """Each test of the build as ctest would run it: its command, environment (locale,
    offscreen platform, temporary folders) and folder."""
    datos = json.loads(ejecutar(["ctest", "--test-dir", OBJ, "--show-only=json-v1"]).stdout)
    pruebas = {}
    for t in datos["tests"]:
        if "command" not in t:  # not built: no fault names it
            continue
        propiedades = {p["name"]: p["value"] for p in t.get("properties", [])}
        entorno = dict(os.environ)
        entorno.update(v.split("=", 1) for v in propiedades.get("ENVIRONMENT", []))
        pruebas[t["name"]] = (t["command"], entorno, propiedades.get("WORKING_DIRECTORY", OBJ))
    return pruebas


def pasa(pruebas, programa):
    nombre, funciones = programa_y_funciones(programa)
    orden, entorno, carpeta = pruebas[nombre]
    try:
        r = subprocess.run(orden + funciones, env=entorno, cwd=carpeta, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=300)
    except subprocess.TimeoutExpired:
        return False
    return r.returncode == 0


def comprobar_funciones(pruebas, programas):
    """A named test function that a program lacks would leave its fault untested."""
    for nombre in sorted({programa_y_funciones(p)[0] for p in programas}):
        pedidas = {f for p in programas if programa_y_funciones(p)[0] == nombre
                   for f in programa_y_funciones(p)[1]}
        if not pedidas:
            continue
        orden, entorno, carpeta = pruebas[nombre]
        listadas = ejecutar(orden + ["-functions"], env=entorno, cwd=carpeta).stdout
        tiene = {linea.strip().removesuffix("()") for linea in listadas.splitlines()}
        if pedidas - tiene:
            raise ListaMal(f"{nombre} has no test function {', '.join(sorted(pedidas - tiene))}")


def sembrar(fallo, originales):
    """Applies the fault's edits, keeping in `originales` what each file held before."""
    for archivo, antes, despues in fallo["trozos"]:
        ruta = os.path.join(FUENTE, archivo)
        if not os.path.exists(ruta):
            raise ListaMal(f"{fallo['nombre']}: no file {archivo}")
        originales.setdefault(ruta, leer(ruta))
        texto = leer(ruta).decode("utf-8")
        viejo, nuevo = "\n".join(antes) + "\n", "\n".join(despues) + ("\n" if despues else "")
        if texto.count(viejo) != 1:
            raise ListaMal(f"{fallo['nombre']}: its '-' lines stand {texto.count(viejo)} times "
                           f"in {archivo}, not once")
        with open(ruta, "w", encoding="utf-8") as f:
            f.write(texto.replace(viejo, nuevo))


def restaurar(originales):
    for ruta, contenido in originales.items():
        with open(ruta, "wb") as f:
            f.write(contenido)


def main():
    filtros = sys.argv[1:]
    fallos = [leer_fallo(os.path.join(LISTA, f)) for f in sorted(os.listdir(LISTA))
              if f.endswith(".fallo") and (not filtros or any(x in f for x in filtros))]
    if not fallos:
        raise ListaMal("no fault to seed")
    inicio = time.monotonic()
    nombres = sincronizar()
    if ejecutar(["cmake", "-S", FUENTE, "-B", OBJ, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
                 "-DBRINDLEWICK_BENCH=OFF", "-DBRINDLEWICK_PCH=ON"]).returncode != 0:
        raise ListaMal("the copy of the tree does not configure")
    programas = sorted({p for f in fallos for p in f["programas"]})
    existentes = ejecutar(["ctest", "--test-dir", OBJ, "-N"]).stdout
    for p in programas:
        if f": {programa_y_funciones(p)[0]}\n" not in existentes:
            raise ListaMal(f"no test program {p}")
    ok, salida = compilar(programas)
    if not ok:
        raise ListaMal("the tree does not build:\n" + salida[-3000:])
    pruebas = leer_pruebas()  # a test's command is known once it is built
    comprobar_funciones(pruebas, programas)
    for p in programas:
        if not pasa(pruebas, p):
            raise ListaMal(f"{p} fails without any fault")
    print(f"Baseline built and passing in {time.monotonic() - inicio:.0f} s; "
          f"{len(fallos)} faults to seed.", flush=True)

    filas, sin_cazar = [], 0
    for n, fallo in enumerate(fallos, 1):
        originales, desde = {}, time.monotonic()
        try:
            sembrar(fallo, originales)
            ok, salida = compilar(fallo["programas"])
            if not ok:
                raise ListaMal(f"{fallo['nombre']} does not build:\n" + salida[-2000:])
            # The first program that fails is enough: running the rest would only cost time.
            cazador = next((p for p in fallo["programas"] if not pasa(pruebas, p)), None)
        finally:
            restaurar(originales)
        sin_cazar += cazador is None
        filas.append((fallo["nombre"], fallo["descripcion"],
                      cazador or "NOT CAUGHT"))
        print(f"[{n}/{len(fallos)}] {fallo['nombre']}: {filas[-1][2]} "
              f"({time.monotonic() - desde:.0f} s)", flush=True)

    cambiados = igual_al_arbol(nombres)
    if cambiados:
        raise ListaMal("the copy differs from the tree after the run: " + ", ".join(cambiados))
    print(f"\n| Fault | What it breaks | Caught by |\n|---|---|---|")
    for fila in filas:
        print("| " + " | ".join(fila) + " |")
    print(f"\n{len(fallos) - sin_cazar} of {len(fallos)} faults caught "
          f"in {(time.monotonic() - inicio) / 60:.1f} minutes.")
    return 1 if sin_cazar else 0


if __name__ == "__main__":
    # Interrupted, the fault in hand is taken back by the finally above.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    try:
        sys.exit(main())
    except ListaMal as e:
        print(f"error in the fault list: {e}", file=sys.stderr)
        sys.exit(2)
    except KeyboardInterrupt:
        sys.exit(130)
