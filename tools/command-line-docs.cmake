# Writes the manual page and the bash completion of the command line from what the
# program itself prints for --help, so that neither can drift from it.
#   cmake -DPROGRAM=<Zantor> -DCOMMAND=<zantor> -DVERSION=<1.0> -DDATE=<text>
#         -DMAN_PAGE=<zantor.1> -DCOMPLETION=<zantor> -P command-line-docs.cmake
#
# The help text has a usage line, the description up to an empty line, "Opções:" with
# one option per entry (its description may go on over lines indented further), and
# "Códigos de saída:" with one status per line.

cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${PROGRAM} --help
                OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# Text for roff: backslashes and minus signs escaped, no control character first.
function(roff_text out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    if(text MATCHES "^[.']")
        set(text "\\&${text}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# CMake lists are separated by semicolons, which the help text holds as text.
string(REPLACE ";" "<semicolon>" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(part usage)
set(description "")
set(options "")
set(option_names "")
set(title_options "")
set(file_options "")
set(statuses "")
foreach(line IN LISTS lines)
    string(REPLACE "<semicolon>" ";" line "${line}")
    if(line STREQUAL "Opções:")
        set(part options)
    elseif(line STREQUAL "Códigos de saída:")
        set(part statuses)
    elseif(part STREQUAL "usage")
        set(part description)
    elseif(part STREQUAL "description" AND NOT line STREQUAL "")
        roff_text(text "${line}")
        string(APPEND description "${text}\n")
    elseif(part STREQUAL "options" AND line MATCHES "^  (-[^ ].*[^ ])   *([^ ].*)$")
        set(names "${CMAKE_MATCH_1}")
        roff_text(text "${CMAKE_MATCH_2}")
        set(value "")
        if(names MATCHES "^(.*) <(.*)>$")
            set(names "${CMAKE_MATCH_1}")
            set(value "${CMAKE_MATCH_2}")
        endif()
        string(REPLACE ", " ";" name_list "${names}")
        set(shown "")
        foreach(name IN LISTS name_list)
            list(APPEND option_names "${name}")
            if(value STREQUAL "título")
                list(APPEND title_options "${name}")
            elseif(NOT value STREQUAL "")
                list(APPEND file_options "${name}")
            endif()
            roff_text(name "${name}")
            list(APPEND shown "\\fB${name}\\fR")
        endforeach()
        list(JOIN shown ", " shown)
        if(NOT value STREQUAL "")
            string(APPEND shown " \\fI${value}\\fR")
        endif()
        string(APPEND options ".TP\n${shown}\n${text}\n")
    elseif(part STREQUAL "options" AND line MATCHES "^     *([^ ].*)$")
        roff_text(text "${CMAKE_MATCH_1}")
        string(APPEND options "${text}\n")
    elseif(part STREQUAL "statuses" AND line MATCHES "^  ([0-9]+)  *(.*)$")
        roff_text(text "${CMAKE_MATCH_2}")
        string(APPEND statuses ".TP\n\\fB${CMAKE_MATCH_1}\\fR\n${text}\n")
    elseif(part STREQUAL "statuses" AND line MATCHES "^     *([^ ].*)$")
        # A status whose words go on to the next line.
        roff_text(text "${CMAKE_MATCH_1}")
        string(APPEND statuses "${text}\n")
    endif()
endforeach()
if(options STREQUAL "" OR statuses STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help lists no options or no exit statuses")
endif()

string(TOUPPER "${COMMAND}" title)
# No hyphenation (.nh): the reader's rules would split the Portuguese words wrongly.
file(WRITE ${MAN_PAGE} ".TH ${title} 1 \"${DATE}\" \"Zantor ${VERSION}\" \"Comandos do usuário\"
.nh
.SH NOME
${COMMAND} \\- executor de arquivos: abre grupos de arquivos, pastas e programas
.SH SINOPSE
.B ${COMMAND}
[\\fIopções\\fR]
.SH DESCRIÇÃO
${description}.SH OPÇÕES
${options}.SH CÓDIGOS DE SAÍDA
${statuses}")

# The completion offers the options; after an option that takes a group title, the
# titles of the program being completed (read with --listar, never evaluated as shell
# words); after one that takes a file, file names.
list(JOIN option_names " " all_options)
list(JOIN title_options "|" title_options)
list(JOIN file_options "|" file_options)
file(WRITE ${COMPLETION} "# bash completion for ${COMMAND}                                 -*- shell-script -*-

_${COMMAND}() {
    local cur=\${COMP_WORDS[COMP_CWORD]} prev=\${COMP_WORDS[COMP_CWORD-1]} title
    COMPREPLY=()
    case \$prev in
    ${title_options})
        while IFS= read -r title; do
            [[ \$title == \"\$cur\"* ]] && COMPREPLY+=(\"\$title\")
        done < <(\"\$1\" --listar 2>/dev/null | cut -f1)
        compopt -o filenames
        return
        ;;
    ${file_options})
        compopt -o filenames
        mapfile -t COMPREPLY < <(compgen -f -- \"\$cur\")
        return
        ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W '${all_options}' -- \"\$cur\")
}
complete -F _${COMMAND} ${COMMAND}
")
