#!/usr/bin/env bash
# The checks of the install rules and the Debian package, one per ctest test
# (tests/paquete/CMakeLists.txt).
#   comprobar.sh CHECK BUILD_FOLDER VERSION CMAKE CPACK
set -euo pipefail
comprobacion=$1
construccion=$2
version=$3
cmake=$4
cpack=$5

deb="$construccion/brindlewick_${version}_$(dpkg --print-architecture).deb"
extraido="$construccion/paquete/extraido"
mantenedor="The Brindlewick developers <brindlewick@example.org>"

falla() {
    echo "FAIL: $*" >&2
    exit 1
}

# Fails with the command's output when it prints anything: the validators print their
# warnings and still exit 0.
callado() {
    local salida
    salida=$("$@" 2>&1) || falla "$* failed:"$'\n'"$salida"
    [ -z "$salida" ] || falla "$* said:"$'\n'"$salida"
}

construir() {
    rm -f "$deb"
    (cd "$construccion" && "$cpack" -G DEB)
    [ -f "$deb" ] || falla "cpack made no $deb"
}

desempaquetar() {
    rm -rf "$extraido"
    mkdir -p "$extraido"
    dpkg-deb -x "$deb" "$extraido"
}

# What the install rules put under the prefix (/usr in the package).
esperados() {
    printf '%s\n' \
        bin/brindlewick \
        share/applications/brindlewick.desktop \
        share/kio/servicemenus/brindlewick.desktop \
        share/nemo/actions/brindlewick.nemo_action \
        share/doc/brindlewick/changelog.gz \
        share/doc/brindlewick/copyright \
        share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/brindlewick.png \
        share/icons/hicolor/scalable/apps/brindlewick.svg \
        share/man/man1/brindlewick.1.gz \
        share/metainfo/org.example.brindlewick.metainfo.xml \
        | sed "s|^|$1|" | sort
}

# Installed under another prefix, the same files land under it and nowhere else.
instalar() {
    local prefijo="$construccion/paquete/prefijo"
    rm -rf "$prefijo"
    "$cmake" --install "$construccion" --prefix "$prefijo/opt/brindlewick" >/dev/null
    local archivos
    archivos=$(cd "$prefijo" && find . ! -type d | sed 's|^\./||' | sort)
    [ "$archivos" = "$(esperados opt/brindlewick/)" ] || falla "installed:"$'\n'"$archivos"
}

# Exactly these files, owned by root: a stray install rule shows here.
contenido() {
    local lista
    lista=$(dpkg-deb -c "$deb")
    local archivos
    archivos=$(awk '$1 !~ /^d/ { sub("^\\./", "", $6); print $6 }' <<<"$lista" | sort)
    [ "$archivos" = "$(esperados usr/)" ] \
        || falla "the package holds:"$'\n'"$archivos"
    ! awk '$2 != "root/root"' <<<"$lista" | grep . || falla "files not owned by root"

    local campo esperado valor
    while IFS='|' read -r campo esperado; do
        valor=$(dpkg-deb -f "$deb" "$campo")
        [ "$valor" = "$esperado" ] || falla "$campo is '$valor', not '$esperado'"
    done <<EOF
Package|brindlewick
Version|$version
Section|utils
Maintainer|$mantenedor
EOF
    # Qt's libraries come from dpkg-shlibdeps, the SVG plugin from the list of our own.
    local depende
    depende=$(dpkg-deb -f "$deb" Depends)
    for campo in libc6 libqt6core6 libqt6widgets6 libqt6svg6; do
        grep -Eq "(^|, )$campo( |,|$)" <<<"$depende" || falla "Depends lacks $campo: $depende"
    done
}

escritorio() {
    local entrada="$extraido/usr/share/applications/brindlewick.desktop"
    callado desktop-file-validate "$entrada"
    # The menu entry starts the program the package installs on PATH, with the files a file
    # manager gives it, and shows its icon from the theme at every size.
    local icono
    icono=$(sed -n 's/^Icon=//p' "$entrada")
    grep -qx 'Exec=brindlewick %F' "$entrada" || falla "the menu entry does not start brindlewick %F"
    # In English too, for desktops that speak it.
    for clave in Name GenericName Comment Keywords; do
        grep -q "^$clave\[en\]=." "$entrada" || falla "the menu entry has no $clave[en]"
    done
    [ -x "$extraido/usr/bin/brindlewick" ] || falla "no brindlewick in usr/bin"
    local tema
    for tema in scalable/apps/"$icono".svg {16x16,32x32,48x48,64x64,128x128,256x256}/apps/"$icono".png; do
        [ -f "$extraido/usr/share/icons/hicolor/$tema" ] || falla "Icon=$icono: no $tema in the theme"
    done
    # Dolphin's service menu and Nemo's action, each in its file manager's own format (which
    # desktop-file-validate does not know): for files, not folders, of this machine, given as
    # URIs, so that a name that is not UTF-8 arrives whole.
    local archivo linea
    while IFS='|' read -r archivo linea; do
        grep -qxF "$linea" "$extraido/usr/share/$archivo" || falla "$archivo lacks the line: $linea"
    done <<EOF
kio/servicemenus/brindlewick.desktop|[Desktop Entry]
kio/servicemenus/brindlewick.desktop|Type=Service
kio/servicemenus/brindlewick.desktop|X-KDE-ServiceTypes=KonqPopupMenu/Plugin
kio/servicemenus/brindlewick.desktop|MimeType=all/allfiles;
kio/servicemenus/brindlewick.desktop|X-KDE-Protocols=file
kio/servicemenus/brindlewick.desktop|Actions=renombrar;
kio/servicemenus/brindlewick.desktop|[Desktop Action renombrar]
kio/servicemenus/brindlewick.desktop|Name=Renombrar con Brindlewick
kio/servicemenus/brindlewick.desktop|Name[en]=Rename with Brindlewick
kio/servicemenus/brindlewick.desktop|Icon=$icono
kio/servicemenus/brindlewick.desktop|Exec=brindlewick %U
nemo/actions/brindlewick.nemo_action|[Nemo Action]
nemo/actions/brindlewick.nemo_action|Name=Renombrar con Brindlewick
nemo/actions/brindlewick.nemo_action|Name[en]=Rename with Brindlewick
nemo/actions/brindlewick.nemo_action|Icon-Name=$icono
nemo/actions/brindlewick.nemo_action|Exec=brindlewick %U
nemo/actions/brindlewick.nemo_action|Selection=notnone
nemo/actions/brindlewick.nemo_action|Extensions=nodirs;
EOF
}

metainfo() {
    local archivo="$extraido/usr/share/metainfo/org.example.brindlewick.metainfo.xml"
    appstreamcli validate --no-net --pedantic "$archivo"
    grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" "$archivo" \
        || falla "no release $version in the metainfo"
    local lanzador
    lanzador=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$archivo")
    [ -f "$extraido/usr/share/applications/$lanzador" ] \
        || falla "the metainfo launches '$lanzador', which the package lacks"
}

# The unpacked program starts in a clean environment with an empty home, runs until it is
# stopped, says nothing, keeps its log in the home's data folder and writes nothing beside
# itself nor in the folder it was started from.
arranque() {
    local prueba="$construccion/paquete/arranque"
    local casa="$prueba/casa"
    rm -rf "$prueba"
    mkdir -p "$casa" "$prueba/runtime"
    chmod 700 "$prueba/runtime"
    local antes
    antes=$(find "$extraido" -printf '%P %s %T@\n' | sort)

    local estado=0
    (cd "$extraido/usr/bin" && env -i PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        HOME="$casa" XDG_CONFIG_HOME="$casa/.config" XDG_DATA_HOME="$casa/.local/share" \
        XDG_CACHE_HOME="$casa/.cache" XDG_RUNTIME_DIR="$prueba/runtime" \
        timeout 4 ./brindlewick) >"$prueba/salida" 2>&1 || estado=$?

    [ "$estado" -eq 124 ] || falla "the program ended by itself with status $estado: $(cat "$prueba/salida")"
    [ ! -s "$prueba/salida" ] || falla "the program printed:"$'\n'"$(cat "$prueba/salida")"
    [ -d "$casa/.local/share/Brindlewick" ] || falla "no data folder in the home"
    local despues
    despues=$(find "$extraido" -printf '%P %s %T@\n' | sort)
    [ "$antes" = "$despues" ] \
        || falla "the program wrote beside itself:"$'\n'"$(diff <(echo "$antes") <(echo "$despues"))"
}

case "$comprobacion" in
    construir | desempaquetar | instalar | contenido | escritorio | metainfo | arranque) "$comprobacion" ;;
    lintian) lintian --fail-on error,warning "$deb" ;;
    *) falla "unknown check: $comprobacion" ;;
esac
