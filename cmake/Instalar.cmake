# What `cmake --install` puts where, under any prefix: the program, its menu entry, its entries
# in file managers' menus, its icons, its AppStream metainfo, its manual page, and its copyright
# and changelog.
include(GNUInstallDirs)

set(BRINDLEWICK_MANTENEDOR "The Brindlewick developers <brindlewick@example.org>")
set(BRINDLEWICK_WEB "https://brindlewick.example.org/")
set(BRINDLEWICK_ID "org.example.brindlewick")
set(datos "${PROJECT_SOURCE_DIR}/data")
set(generados "${PROJECT_BINARY_DIR}/datos")

install(TARGETS brindlewick RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${datos}/brindlewick.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
# "Renombrar con Brindlewick" in the menu of files chosen in Dolphin and in Nemo.
install(FILES "${datos}/integracion/dolphin.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/kio/servicemenus"
        RENAME brindlewick.desktop)
install(FILES "${datos}/integracion/nemo.nemo_action" DESTINATION "${CMAKE_INSTALL_DATADIR}/nemo/actions"
        RENAME brindlewick.nemo_action)

# Every committed rendering goes to the theme folder of its size.
set(temas "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
install(FILES "${datos}/icons/brindlewick.svg" DESTINATION "${temas}/scalable/apps")
file(GLOB iconos "${datos}/icons/brindlewick-*.png")
foreach(icono IN LISTS iconos)
  string(REGEX REPLACE ".*-([0-9]+)\\.png$" "\\1" lado "${icono}")
  install(FILES "${icono}" DESTINATION "${temas}/${lado}x${lado}/apps" RENAME brindlewick.png)
endforeach()

# The changelog's latest entry must be this version: a release without its entry is a slip.
# Its date is the release date in the metainfo and the manual page.
set(cambios "${datos}/paquete/changelog")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${cambios}" "${PROJECT_SOURCE_DIR}/LICENSE")
file(STRINGS "${cambios}" lineas)
list(GET lineas 0 cabecera)
if(NOT cabecera MATCHES "^brindlewick \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${cambios} starts with \"${cabecera}\": add an entry for ${PROJECT_VERSION}")
endif()
list(FILTER lineas INCLUDE REGEX "^ -- ")
list(GET lineas 0 firma)
if(NOT firma MATCHES ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "${cambios}: no date in \"${firma}\"")
endif()
set(dia "${CMAKE_MATCH_1}")
set(anio "${CMAKE_MATCH_3}")
set(meses Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND meses "${CMAKE_MATCH_2}" mes)
math(EXPR mes "${mes} + 1")
string(LENGTH "${dia}" largo)
if(largo EQUAL 1)
  string(PREPEND dia 0)
endif()
if(mes LESS 10)
  string(PREPEND mes 0)
endif()
set(BRINDLEWICK_FECHA "${anio}-${mes}-${dia}")

configure_file("${datos}/brindlewick.metainfo.xml.in"
               "${generados}/${BRINDLEWICK_ID}.metainfo.xml" @ONLY)
install(FILES "${generados}/${BRINDLEWICK_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The copyright file in Debian's format, with the licence text of LICENSE.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licencia)
if(NOT licencia MATCHES "Copyright \\(c\\) ([^\n]+)\n+(.*)$")
  message(FATAL_ERROR "LICENSE: no copyright line")
endif()
set(BRINDLEWICK_TITULAR "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" licencia)
string(REPLACE "\n\n" "\n.\n" licencia "${licencia}")
string(REPLACE "\n" "\n " licencia "${licencia}")
set(BRINDLEWICK_LICENCIA " ${licencia}")
configure_file("${datos}/paquete/copyright.in" "${generados}/copyright" @ONLY)

# Debian wants the changelog and the manual page compressed, at the best ratio and without a
# time stamp, so that the same sources give the same package.
function(brindlewick_comprimir origen destino)
  get_filename_component(nombre "${origen}" NAME)
  add_custom_command(OUTPUT "${generados}/${nombre}.gz"
    COMMAND "${CMAKE_COMMAND}" -E copy "${origen}" "${generados}/${nombre}"
    COMMAND gzip -9nf "${generados}/${nombre}"
    DEPENDS "${origen}"
    VERBATIM)
  add_custom_target(brindlewick_${nombre} ALL DEPENDS "${generados}/${nombre}.gz")
  install(FILES "${generados}/${nombre}.gz" DESTINATION "${destino}")
endfunction()

configure_file("${datos}/brindlewick.1.in" "${generados}/manual/brindlewick.1" @ONLY)
brindlewick_comprimir("${generados}/manual/brindlewick.1" "${CMAKE_INSTALL_MANDIR}/man1")

# Debian names the documentation folder after the package, in lower case.
set(documentos "${CMAKE_INSTALL_DATADIR}/doc/brindlewick")
brindlewick_comprimir("${cambios}" "${documentos}")
install(FILES "${generados}/copyright" DESTINATION "${documentos}")
