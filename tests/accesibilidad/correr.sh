#!/usr/bin/env bash
# The program as a screen reader or a file manager meets it: on a virtual display of its own,
# with a private session bus and accessibility bus, started, driven and read through AT-SPI by
# SCRIPT (atspi.py, lanzar.py) in a folder of FILES numbered files.
#   correr.sh SCRIPT PROGRAM TMP_FOLDER [FILES]
# Nothing is shared with the desktop or with another run: scratch HOME and runtime folder, the
# display number chosen by the X server itself, bus sockets with random names. Every wait has
# a limit; the whole test ends within about a minute.
set -u
aqui=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --dentro ]; then
    guion=$aqui/$1
    shift
    for falta in Xvfb dbus-run-session dbus-send xdotool /usr/libexec/at-spi-bus-launcher; do
        command -v "$falta" >/dev/null || { echo "FAIL: $falta is missing (scripts/paquetes.sh)"; exit 1; }
    done
    /usr/bin/python3 -c 'import pyatspi' || { echo "FAIL: python3-pyatspi is missing"; exit 1; }
    programa=$(realpath "$1")
    [ -x "$programa" ] || { echo "FAIL: no program $1"; exit 1; }
    n=${3:-20000}
    # In the build tree, on the program's drive: the selection dialog leaves a folder on another
    # drive for the program's.
    mkdir -p "$2" && raiz=$(mktemp -d "$(realpath "$2")/atspi.XXXXXX") || exit 1
    trap 'rm -rf "$raiz"' EXIT
    export HOME=$raiz/home XDG_RUNTIME_DIR=$raiz/run
    mkdir -p "$HOME/.config/Brindlewick" "$raiz/fotos" && mkdir -m 700 "$XDG_RUNTIME_DIR" || exit 1
    # A new user has "Guardar Log" on, and its Save dialog would stand between the run and
    # "Listo".
    printf '[Settings]\nGuardar=False\n' > "$HOME/.config/Brindlewick/Brindlewick.conf"
    [ "$n" -eq 0 ] || (cd "$raiz/fotos" && printf 'f%05d.jpg\n' $(seq 0 $((n - 1))) | xargs touch) || exit 1
    # timeout signals the whole process group, so nothing started below outlives it. Root's
    # session bus cannot raise its file limit and says so on every start: not worth reading.
    timeout -k 5 60 dbus-run-session -- bash "$0" --dentro "$guion" "$programa" "$raiz/fotos" "$n" 2>&1 \
        | grep -v 'Failed to set fd limit'
    estado=${PIPESTATUS[0]}
    [ "$estado" -eq 124 ] && echo "FAIL: the test took over 60 s and was stopped"
    exit "$estado"
fi

guion=$2
shift 2
pids=()
terminar() {
    kill "${pids[@]}" 2>/dev/null
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 "${pids[@]}" 2>/dev/null || break
        sleep 0.2
    done
    kill -KILL "${pids[@]}" 2>/dev/null
    wait
}
trap terminar EXIT

# Waits up to $1 tenths of a second for the command that follows to succeed.
esperar() {
    local i
    for ((i = 0; i < $1; i++)); do
        "${@:2}" && return 0
        sleep 0.1
    done
    return 1
}

export LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE='' TZ=UTC NO_AT_BRIDGE=0 GSETTINGS_BACKEND=memory
# Qt's bridge on, whatever the desktop's settings say; there are none here.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

# The server writes the display it found free to the descriptor: no race with parallel runs.
# Without -noreset it starts over each time its last client leaves (the check below, the
# accessibility bus), and a program that connects meanwhile is refused. The display must
# answer before the test relies on it; a server that does not is replaced.
for intento in 1 2 3; do
    rm -f "$XDG_RUNTIME_DIR/pantalla"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$XDG_RUNTIME_DIR/pantalla" \
        >"$XDG_RUNTIME_DIR/xvfb.log" 2>&1 &
    pids+=($!)
    if esperar 100 grep -qs . "$XDG_RUNTIME_DIR/pantalla"; then
        DISPLAY=:$(head -n1 "$XDG_RUNTIME_DIR/pantalla")
        export DISPLAY
        esperar 30 timeout 2 xdotool getdisplaygeometry >/dev/null 2>&1 && break
    fi
    kill "${pids[-1]}" 2>/dev/null
    if [ "$intento" -eq 3 ]; then
        echo "FAIL: Xvfb did not start a display that answers"; cat "$XDG_RUNTIME_DIR/xvfb.log"; exit 1
    fi
done

tiene_dueno() {
    dbus-send --session --print-reply --reply-timeout=2000 --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
/usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$XDG_RUNTIME_DIR/bus.log" 2>&1 &
pids+=($!)
if ! esperar 100 tiene_dueno; then
    echo "FAIL: the accessibility bus did not start"; cat "$XDG_RUNTIME_DIR/bus.log"; exit 1
fi

timeout -k 2 45 /usr/bin/python3 "$guion" "$@"
estado=$?
[ $estado -eq 124 ] && echo "FAIL: $(basename "$guion") took over 45 s and was stopped"
exit $estado
