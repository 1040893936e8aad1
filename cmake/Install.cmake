# What `cmake --install` puts where (and so what the package holds): the two
# programs, the editor's desktop entry, icon and AppStream metadata, the
# sample game, the documentation with the licence, and the manual pages.

install(TARGETS tilewright tilewright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(src/desktop/tilewright.desktop.in ${TILEWRIGHT_APP_ID}.desktop @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TILEWRIGHT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Software centres read the metadata by the application's id. Its newest
# release is written by hand with its notes, so the build makes sure it is
# this version's.
set(metainfo_source ${CMAKE_CURRENT_SOURCE_DIR}/src/desktop/tilewright.metainfo.xml.in)
file(READ ${metainfo_source} metainfo_text)
string(REGEX MATCH "<release version=\"([^\"]*)\"" newest_release "${metainfo_text}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest release in ${metainfo_source} is '${CMAKE_MATCH_1}', not ${PROJECT_VERSION}: add this version's release.")
endif()
configure_file(${metainfo_source} ${TILEWRIGHT_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TILEWRIGHT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

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

# The licence goes where Debian and other systems look for it, in the
# machine-readable form that covers every file of the project.
set(doc_folder ${CMAKE_INSTALL_DATADIR}/doc/tilewright)
install(FILES README.md DESTINATION ${doc_folder})
install(FILES cmake/debian/copyright DESTINATION ${doc_folder})
install(DIRECTORY docs/ DESTINATION ${doc_folder}/docs PATTERN man EXCLUDE)
# The pages a browser shows, where the editor's F1 finds them.
install(FILES ${TILEWRIGHT_HTML_PAGES} DESTINATION ${doc_folder}/docs)

# The manual pages carry the version. Where gzip is found (every Unix) they
# are installed compressed, as man finds them; -n leaves the time out, so
# each build gives the same bytes.
find_program(TILEWRIGHT_GZIP gzip)
set(manual_pages "")
foreach(page tilewright.1 tilewright-cli.1)
    configure_file(docs/man/${page}.in man/${page} @ONLY)
    if(TILEWRIGHT_GZIP)
        add_custom_command(OUTPUT man/${page}.gz
            COMMAND ${TILEWRIGHT_GZIP} -9 -n -f -k man/${page}
            DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/${page}
            COMMENT "Compressing the manual page ${page}"
            VERBATIM)
        list(APPEND manual_pages ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
    else()
        list(APPEND manual_pages ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
    endif()
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
