# The Debian package, made by CPack's DEB generator from what `cmake --install` puts in place:
#     cmake --build <dir> && (cd <dir> && cpack -G DEB)      (./dev package does this and checks it)
# The package's revision comes from the top entry of packaging/changelog, whose upstream version
# must be the project's: the changelog shipped in the package then names the package itself.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../packaging/changelog top_entry LIMIT_COUNT 1)
if(NOT top_entry MATCHES "^pokdeng \\(([^-]+)-([^)]+)\\) ")
    message(FATAL_ERROR "packaging/changelog: the first line is not an entry: ${top_entry}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog starts at version ${CMAKE_MATCH_1}, the project is "
                        "${PROJECT_VERSION}: add an entry for this version")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pokdeng)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ทีมงานป๊อกเด้ง <pokdeng@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Thai card game Pok Deng against a computer dealer")
set(CPACK_PACKAGE_DESCRIPTION
    "ป๊อกเด้ง (Pok Deng) is the Thai card game played for baht against a dealer.
You play against a computer dealer beside two computer seats: you start with
10000 baht, choose a stake each round, see two cards, then draw a third or
stand. Poks, three of a kind, the court-card hands and the deng multipliers
are paid as the table's rules say. The best money reached is kept as a record.

Everything the game shows is in Thai.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Library dependencies come from the binary (dpkg-shlibdeps, Debian package dpkg-dev). What no
# library link names is listed by hand: Loma's fontconfig rule and font files draw the Thai text,
# libthai0 gives Qt Thai line breaks, qt6-qpa-plugins the window system plugins (xcb, wayland),
# libqt6sql6-sqlite the SQLite driver of Qt SQL that keeps the play history, and libcanberra0
# with its PulseAudio backend libcanberra-pulse plays the table's sounds (loaded with dlopen when
# the first sound plays, so no link names it).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-tlwg-loma, fonts-tlwg-loma-ttf, libthai0, qt6-qpa-plugins, libqt6sql6-sqlite, "
    "libcanberra0, libcanberra-pulse")

include(CPack)
