# Run by cpack once the files are installed into the package's folder: adds
# what only the Debian package holds. The changelog is compressed as Debian
# wants it, without a time stamp, so each build gives the same bytes. Files
# are copied rather than installed: file(INSTALL) would put them under
# DESTDIR, which cpack has set.
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT IS_DIRECTORY ${root})
    message(FATAL_ERROR "The package's files are not in ${root}")
endif()

set(doc ${root}/share/doc/${CPACK_PACKAGE_NAME})
file(COPY_FILE ${CPACK_TILEWRIGHT_DEBIAN_DIR}/changelog ${doc}/changelog.Debian)
execute_process(COMMAND ${CPACK_TILEWRIGHT_GZIP} -9 -n -f ${doc}/changelog.Debian COMMAND_ERROR_IS_FATAL ANY)

# The HTML documentation, registered for the system's documentation browsers.
file(MAKE_DIRECTORY ${root}/share/doc-base)
file(COPY_FILE ${CPACK_TILEWRIGHT_DEBIAN_DIR}/doc-base ${root}/share/doc-base/${CPACK_PACKAGE_NAME}.designers-guide)

file(MAKE_DIRECTORY ${root}/share/lintian/overrides)
file(COPY_FILE ${CPACK_TILEWRIGHT_DEBIAN_DIR}/lintian-overrides ${root}/share/lintian/overrides/${CPACK_PACKAGE_NAME})

# cpack's stripping keeps the compiler's notes; Debian's drops them as well.
file(GLOB programs ${root}/bin/*)
foreach(program ${programs})
    execute_process(COMMAND ${CPACK_TILEWRIGHT_STRIP} --remove-section=.comment --remove-section=.note ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
