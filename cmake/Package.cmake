# `cpack -G DEB` in the build folder makes a Debian package of what
# cmake/Install.cmake installs, under /usr. Its dependencies are the shared
# libraries the programs use, found by dpkg-shlibdeps. tools/build-deb.sh
# builds it as a distribution would: in a build folder of its own, compiled
# with the flags dpkg-buildflags gives (hardening included), and checked by
# lintian.

set(CPACK_PACKAGE_NAME tilewright)
set(CPACK_PACKAGE_VENDOR "The Tilewright developers")
set(CPACK_PACKAGE_CONTACT "Tilewright developers <tilewright@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for the Quandor Game, a tile-based puzzle game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tilewright edits the levels of a Quandor game: the designer paints tiles,\n"
    "entities and the player start on a grid of five layers, edits every\n"
    "entity's data text, grows or shrinks the level at any corner, and saves\n"
    "levels as the text files the game reads. The kinds of tiles and entities\n"
    "come from the game folder's catalogue and pictures; a sample game is\n"
    "included.\n"
    ".\n"
    "tilewright-cli checks, reformats and renders levels in a game's build.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The Debian revision makes the version 0.1.0-1: the package, not the
# program, has its own changelog, usr/share/doc/tilewright/changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# A picture editor for level designers, where they look for one; not a game,
# and not a programmer's tool.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# The changelog's newest entry is written by hand with its notes; it must be
# this package's version.
set(debian_changelog ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian/changelog)
file(STRINGS ${debian_changelog} changelog_top LIMIT_COUNT 1)
set(package_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
if(NOT changelog_top MATCHES "^tilewright \\(${package_version}\\) ")
    message(FATAL_ERROR "The newest entry of ${debian_changelog} is not for version ${package_version}: add one.")
endif()

# Files only the package holds, added once everything is installed into
# the package's folder: the Debian changelog, the documentation's
# registration and lintian's overrides; and the programs stripped as Debian
# strips them. (Only variables named CPACK_* reach that script.)
set(CPACK_TILEWRIGHT_DEBIAN_DIR ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian)
set(CPACK_TILEWRIGHT_GZIP ${TILEWRIGHT_GZIP})
set(CPACK_TILEWRIGHT_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian/AddPackageFiles.cmake)

if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
endif()

include(CPack)
