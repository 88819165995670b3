# Checks the help documents the build rendered beside the executable: each is a PDF
# whose text reads back with its title and more than one paragraph.
#   cmake -DDOCUMENTS=<folder of the PDFs> -DSOURCES=<folder of the Markdown sources> -P tools/check-help-documents.cmake
cmake_minimum_required(VERSION 3.25)

find_program(PDFTOTEXT pdftotext)
if(NOT PDFTOTEXT)
    message(FATAL_ERROR "pdftotext is missing: install poppler-utils (make test-deps)")
endif()

set(names ReadMe_Informacoes-e-consideracoes ReadMe_Licenca-de-utilizacao ReadMe_Caracteristicas-da-versao)
foreach(name IN LISTS names)
    set(document "${DOCUMENTS}/${name}.pdf")
    if(NOT EXISTS "${document}")
        message(FATAL_ERROR "${document} was not rendered")
    endif()
    file(READ "${document}" signature LIMIT 5 HEX)
    if(NOT signature STREQUAL "255044462d") # %PDF-
        message(FATAL_ERROR "${document} is no PDF")
    endif()
    execute_process(COMMAND "${PDFTOTEXT}" "${document}" - OUTPUT_VARIABLE text RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${document} cannot be read: pdftotext ended with ${failed}")
    endif()

    # The title is the source's first heading.
    file(STRINGS "${SOURCES}/${name}.md" headings REGEX "^# " ENCODING UTF-8)
    list(GET headings 0 title)
    string(REGEX REPLACE "^# " "" title "${title}")
    string(FIND "${text}" "${title}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${document} does not read '${title}'")
    endif()
    # Paragraphs are separated by empty lines in the text read back.
    string(REGEX MATCHALL "[^\n]\n\n+[^\n]" breaks "${text}")
    list(LENGTH breaks paragraphs)
    if(paragraphs LESS 2)
        message(FATAL_ERROR "${document} reads as ${paragraphs} paragraph(s)")
    endif()
    message("${name}.pdf: '${title}', ${paragraphs} paragraphs")
endforeach()
