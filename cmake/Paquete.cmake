# The Debian package, built by `cpack -G DEB` from the install rules (cmake/Instalar.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlewick)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Brindlewick developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer with undo, in Spanish and English")
set(CPACK_PACKAGE_DESCRIPTION [=[
Brindlewick renames many files of one folder in a single run: it changes
their extension, replaces a text in their names, adds a text, numbers them
from a pattern, or turns their names to lower or upper case.

Every rename is recorded, so a run can be undone, even much later from a
saved log. A rename that would overwrite a file is refused and reported.

Files chosen in a file manager reach it directly: "Rename with Brindlewick"
("Renombrar con Brindlewick") in Dolphin's and Nemo's menus, a drop on its
window, or its command line.

The user interface is in Spanish, and in English for users whose desktop
puts English before Spanish.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BRINDLEWICK_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BRINDLEWICK_WEB}")
# The libraries come from the binary. What it loads at run time has to be named: the SVG
# plugin draws the icon, the windows are laid out for Liberation Sans, and without Qt's
# translations its message boxes would answer "Yes" and "No" in a Spanish program.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-liberation2 | fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
# Folders as Debian wants them whatever the umask of whoever builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
