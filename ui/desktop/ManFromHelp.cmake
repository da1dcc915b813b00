# cmake -DPROGRAM=... -DNAME=... -DSUMMARY=... -DVERSION=... -DOUTPUT=... -P ManFromHelp.cmake
# The man page of a program made from its --help, so that the two never disagree. The help
# is read as QCommandLineParser writes it: a usage line, a description up to an empty line,
# then sections, each a heading that ends with ":" and indented lines below it. A line
# "  TERM  text" (a term of words with single blanks, two blanks or more after it), with
# lines indented by four blanks or more following it, is an item; any other line is kept
# as it stands.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${PROGRAM}" --help
    OUTPUT_VARIABLE help RESULT_VARIABLE status ENCODING UTF-8)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# One list element per line: the characters that lists and roff read are kept aside.
function(roff out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
    string(REPLACE "<semicolon>" ";" text "${text}")
    string(REPLACE "<open>" "[" text "${text}")
    string(REPLACE "<close>" "]" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(REPLACE ";" "<semicolon>" help "${help}")
string(REPLACE "[" "<open>" help "${help}")
string(REPLACE "]" "<close>" help "${help}")
string(REGEX REPLACE "\n$" "" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

string(TOUPPER "${NAME}" title)
set(page ".TH ${title} 1 \"\" \"Lexifind ${VERSION}\" \"Commandes utilisateur\"\n")
string(APPEND page ".SH NOM\n${NAME} \\- ${SUMMARY}\n")

list(POP_FRONT lines usage)
string(REGEX REPLACE "^[^:]*: *" "" usage "${usage}")
roff(usage "${usage}")
string(APPEND page ".SH SYNOPSIS\n${usage}\n.SH DESCRIPTION\n")

set(state description) # description, section
set(verbatim OFF)
foreach(line IN LISTS lines)
    if(line STREQUAL "")
        continue()
    endif()
    if(line MATCHES "^[^ ].*:$")
        # A heading: the section's name in capitals, without its colon.
        if(verbatim)
            string(APPEND page ".fi\n")
            set(verbatim OFF)
        endif()
        string(REGEX REPLACE " *:$" "" heading "${line}")
        string(TOUPPER "${heading}" heading)
        roff(heading "${heading}")
        string(APPEND page ".SH \"${heading}\"\n")
        set(state section)
    elseif(state STREQUAL "description")
        roff(text "${line}")
        string(APPEND page "${text}\n")
    elseif(line MATCHES "^  ([^ ]+( [^ ]+)*)   *([^ ].*)$")
        if(verbatim)
            string(APPEND page ".fi\n")
            set(verbatim OFF)
        endif()
        roff(term "${CMAKE_MATCH_1}")
        roff(text "${CMAKE_MATCH_3}")
        string(APPEND page ".TP\n.B \"${term}\"\n${text}\n")
    elseif(line MATCHES "^    +([^ ].*)$" AND NOT verbatim)
        # The rest of an item's text.
        roff(text "${CMAKE_MATCH_1}")
        string(APPEND page "${text}\n")
    else()
        if(NOT verbatim)
            string(APPEND page ".PP\n.nf\n")
            set(verbatim ON)
        endif()
        roff(text "${line}")
        string(APPEND page "${text}\n")
    endif()
endforeach()
if(verbatim)
    string(APPEND page ".fi\n")
endif()
file(WRITE "${OUTPUT}" "${page}")
