# Installation rules and the Debian package.
#
#   cmake --install BUILD                  program, launcher, desktop entry, icons, manual
#   cd BUILD && cpack -G DEB               tessaro_<version>_<arch>.deb
#
# The program takes the directory it is started in as its data directory, so
# the binary itself is kept off the PATH: the command users run is the
# launcher, which starts it in ~/Tessaro.
include(GNUInstallDirs)

if(WIN32)
    # One folder, as Windows programs are installed: the program with Qt's
    # libraries beside it (put there by scripts/windows/installer.sh), the
    # manual below it.
    set(TESSARO_PROGRAM_DIR ".")
    set(TESSARO_MANUAL_DIR "manuale")
else()
    set(TESSARO_PROGRAM_DIR "${CMAKE_INSTALL_LIBEXECDIR}/tessaro")
    set(TESSARO_MANUAL_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/tessaro/manual")
endif()
set(TESSARO_ICON_SIZES 16 22 24 32 48 64 128 256)

# Paths the installed files use to find each other. They are relative, so the
# same files work under any prefix: /usr/local for `cmake --install`, /usr in
# the Debian package, or a staging DESTDIR.
file(RELATIVE_PATH TESSARO_PROGRAM_FROM_LAUNCHER "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_PREFIX}/${TESSARO_PROGRAM_DIR}/tessaro")
file(RELATIVE_PATH TESSARO_MANUAL_FROM_PROGRAM "${CMAKE_INSTALL_PREFIX}/${TESSARO_PROGRAM_DIR}"
     "${CMAKE_INSTALL_PREFIX}/${TESSARO_MANUAL_DIR}/index.html")

# --- where the program finds its manual ("Manuale d'uso") -------------------
set(TESSARO_MANUAL_DEFINITIONS
    TESSARO_MANUAL_INSTALLED="${CMAKE_INSTALL_PREFIX}/${TESSARO_MANUAL_DIR}/index.html"
    TESSARO_MANUAL_FROM_PROGRAM="${TESSARO_MANUAL_FROM_PROGRAM}"
    TESSARO_MANUAL_SOURCE="${PROJECT_SOURCE_DIR}/doc/manual/index.html"
    TESSARO_BUILD_TREE="${PROJECT_BINARY_DIR}")
target_sources(tessaro_app PRIVATE ${PROJECT_SOURCE_DIR}/src/app/manual_location.cpp)
target_compile_definitions(tessaro_app PRIVATE ${TESSARO_MANUAL_DEFINITIONS})
# The test of these paths is declared before this file is read.
if(TARGET test_manual_location)
    target_compile_definitions(test_manual_location PRIVATE ${TESSARO_MANUAL_DEFINITIONS})
endif()

# --- the files --------------------------------------------------------------
install(TARGETS tessaro RUNTIME DESTINATION "${TESSARO_PROGRAM_DIR}")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/manual/ DESTINATION "${TESSARO_MANUAL_DIR}")
if(WIN32)
    # No launcher, desktop entry or Debian package: the Windows installer
    # makes the Start-menu entry, and the program finds its data folder itself.
    return()
endif()

configure_file(${PROJECT_SOURCE_DIR}/packaging/tessaro-launcher ${PROJECT_BINARY_DIR}/packaging/tessaro-launcher
               @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/tessaro-launcher DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessaro.desktop
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")

install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessaro.svg
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")
foreach(size IN LISTS TESSARO_ICON_SIZES)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/tessaro.png
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps")
endforeach()

# --- the Debian package -----------------------------------------------------
set(TESSARO_PACKAGE_MAINTAINER "Progetto Tessaro <tessaro@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Progetto Tessaro")
set(CPACK_PACKAGE_CONTACT "${TESSARO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fatture per professionisti e piccoli commercianti")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaro scrive, archivia, calcola e stampa le fatture dei professionisti
(ingegneri, architetti, geometri, commercialisti, avvocati) e dei piccoli
commercianti: fatture per prestazione con Cassa Nazionale, IVA, ritenuta
d'acconto e spese, e fatture commerciali con prezzi e quantità. Calcola anche
a ritroso dal totale da pagare, somma l'imponibile e l'IVA dell'anno, salva
le fatture in PDF e conserva le vecchie fatture in lire.
Il comando tessaro-launcher avvia il programma nella cartella ~/Tessaro.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSARO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Printing measures text in Times New Roman: without Liberation's metric
# twins every position on the page shifts. Liberation 2 is fonts-liberation2
# on Debian 12 and fonts-liberation from version 2 on (Debian 13, where
# fonts-liberation2 is only a transitional package). The xcb platform plugin
# comes with libqt6gui6; Wayland sessions fall back to it when qt6-wayland is
# missing. qt6-translations-l10n holds the Italian texts of Qt's own dialogs
# (files, printing, standard buttons).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libxxhash0, libexpat1, libarchive13 | libarchive13t64, qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation (>= 1:2) | fonts-liberation2"
)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
find_program(TESSARO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TESSARO_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
