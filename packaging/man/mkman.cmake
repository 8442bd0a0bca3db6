# Writes a manual page from a program's own --help text, so the page and the
# program never say different things.
#
#   cmake -DPROGRAM=path -DNAME=mxr77c-cli -DSUMMARY="..." -DVERSION=1.0.0
#         -DEXTRA=file.roff -DOUT=mxr77c-cli.1 -P mkman.cmake
#
# EXTRA holds hand-written sections (description, files, see also) that the
# help text leaves out; they follow the generated SYNOPSIS.
foreach(var PROGRAM NAME SUMMARY VERSION EXTRA OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "mkman: ${var} is not set")
    endif()
endforeach()

execute_process(COMMAND ${PROGRAM} --help
    OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "mkman: '${PROGRAM} --help' failed (${status})")
endif()

# roff: a backslash and a minus sign are escapes; a line may not begin with a
# control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
# An empty line in no-fill mode is a blank line; keep it explicit.
string(REGEX REPLACE "\n\n" "\n.sp\n" help "${help}")
string(REGEX REPLACE "\n\n" "\n.sp\n" help "${help}")

string(REPLACE "-" "\\-" name_escaped "${NAME}")
file(READ ${EXTRA} extra)
string(TOUPPER "${NAME}" upper)
file(WRITE ${OUT}
".TH ${upper} 1 \"\" \"${NAME} ${VERSION}\" \"User Commands\"
.SH NAME
${name_escaped} \\- ${SUMMARY}
.SH SYNOPSIS
.nf
${help}.fi
${extra}")
