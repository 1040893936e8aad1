# `cpack -G DEB` in the build folder makes a Debian package of what
# cmake/Install.cmake installs, under /usr. Its dependencies are the shared
# libraries the programs use, found by dpkg-shlibdeps.

set(CPACK_PACKAGE_NAME tilewright)
set(CPACK_PACKAGE_VENDOR "Tilewright developers")
set(CPACK_PACKAGE_CONTACT "Tilewright developers")
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

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
endif()

include(CPack)
