# What `cmake --install` puts where (and so what the package holds): the two
# programs, the editor's desktop entry and icon, the sample game, the
# documentation and the manual pages.

install(TARGETS tilewright tilewright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(src/desktop/tilewright.desktop.in ${TILEWRIGHT_APP_ID}.desktop @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TILEWRIGHT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon theme finds the icon by the entry's name.
set(icon_folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size 48 128 256)
    install(FILES src/desktop/icons/tilewright-${size}.png
        DESTINATION ${icon_folder}/${size}x${size}/apps
        RENAME ${TILEWRIGHT_APP_ID}.png)
endforeach()
install(FILES src/desktop/icons/tilewright.svg DESTINATION ${icon_folder}/scalable/apps RENAME ${TILEWRIGHT_APP_ID}.svg)

# The game folder and its levels folder beside it, as in the source tree.
install(DIRECTORY sample/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tilewright/sample)

set(doc_folder ${CMAKE_INSTALL_DATADIR}/doc/tilewright)
install(FILES README.md DESTINATION ${doc_folder})
install(DIRECTORY docs/ DESTINATION ${doc_folder}/docs PATTERN man EXCLUDE)
install(FILES docs/man/tilewright.1 docs/man/tilewright-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
