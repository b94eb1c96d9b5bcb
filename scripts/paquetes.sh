# Sourced by the other scripts: installs the Debian packages that are missing, and only those.
# Usage: instalar_paquetes paquete...

instalar_paquetes() {
    local faltan=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
    done
    [ ${#faltan[@]} -eq 0 ] && return 0
    echo "Installing: ${faltan[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
}

# What building the program and its tests needs.
PAQUETES_COMPILAR=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools
                   libqt6svg6 qt6-translations-l10n
                   fonts-dejavu-core fonts-liberation fonts-liberation2)

# What the tests need besides: a camera's card (exFAT) mounted through FUSE; for the window
# read through AT-SPI, a virtual display, private session and accessibility buses, the
# Python client, and keys and clicks sent as a user would; gio, to start the menu entry as a
# file manager does.
PAQUETES_PRUEBAS=(exfat-fuse exfatprogs xvfb dbus-daemon dbus-bin at-spi2-core python3-pyatspi xdotool
                  libglib2.0-bin)

# What building and checking the Debian package needs besides.
PAQUETES_EMPAQUETAR=(dpkg-dev desktop-file-utils appstream lintian)
