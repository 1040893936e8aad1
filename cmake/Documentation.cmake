# The documentation as pages a browser shows (F1 in the editor opens the
# designer's guide): each docs/*.md rendered to HTML in the build's docs
# folder, beside copies of the Markdown and the pictures. cmark-gfm (Debian
# package cmark-gfm) renders them: it reads the GitHub dialect the pages are
# written in, tables included. Without it the build goes on and the editor
# opens the Markdown instead; the package build requires it.
option(TILEWRIGHT_REQUIRE_HTML_DOCS "Fail when cmark-gfm is missing, rather than leave the HTML pages out" OFF)
find_program(TILEWRIGHT_CMARK_GFM cmark-gfm)
if(NOT TILEWRIGHT_CMARK_GFM)
    if(TILEWRIGHT_REQUIRE_HTML_DOCS)
        message(FATAL_ERROR "cmark-gfm was not found: install the Debian package cmark-gfm")
    endif()
    message(STATUS "cmark-gfm not found: the documentation is left as Markdown, without HTML pages")
endif()

set(docs_source ${CMAKE_CURRENT_SOURCE_DIR}/docs)
set(docs_built ${CMAKE_CURRENT_BINARY_DIR}/docs)
file(GLOB doc_files RELATIVE ${docs_source} CONFIGURE_DEPENDS ${docs_source}/*.md ${docs_source}/*.png ${docs_source}/*.svg)
set(TILEWRIGHT_HTML_PAGES "")
foreach(file ${doc_files})
    configure_file(${docs_source}/${file} ${docs_built}/${file} COPYONLY)
    if(TILEWRIGHT_CMARK_GFM AND file MATCHES "\\.md$")
        string(REGEX REPLACE "\\.md$" ".html" page ${file})
        add_custom_command(OUTPUT ${docs_built}/${page}
            COMMAND ${CMAKE_COMMAND} -DCMARK_GFM=${TILEWRIGHT_CMARK_GFM} -DSOURCE=${docs_source}/${file}
                -DOUTPUT=${docs_built}/${page} -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/MarkdownPage.cmake
            DEPENDS ${docs_source}/${file} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/MarkdownPage.cmake
            COMMENT "Rendering the page ${page}"
            VERBATIM)
        list(APPEND TILEWRIGHT_HTML_PAGES ${docs_built}/${page})
    endif()
endforeach()
add_custom_target(html_docs ALL DEPENDS ${TILEWRIGHT_HTML_PAGES})
