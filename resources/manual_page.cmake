# Writes the manual page from the program's own --help text, so that the two never disagree; the
# sections --help has no room for are written here.
#   cmake -DPROGRAM=path/to/saporina -DVERSION=1.0.0 -DOUTPUT=saporina.1 -P manual_page.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 LANGUAGE= ${PROGRAM} --help
                OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${result}")
endif()

function(roff_escape text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(REPLACE "\n" ";" lines "${help}")
set(synopsis "")
set(summary "")
set(options "")
foreach(line IN LISTS lines)
  if(line MATCHES "^Usage: [^ ]+ (.*)$")
    roff_escape("${CMAKE_MATCH_1}" synopsis)
  elseif(line MATCHES "^  ([^ ].*[^ ])   *([^ ].*)$")
    roff_escape("${CMAKE_MATCH_1}" term)
    roff_escape("${CMAKE_MATCH_2}" description)
    string(APPEND options ".TP\n\\fB${term}\\fR\n${description}\n")
  elseif(line MATCHES "^      +([^ ].*)$")
    # an option's description wrapped onto the next line
    roff_escape("${CMAKE_MATCH_1}" more)
    string(APPEND options "${more}\n")
  elseif(line MATCHES "^[^ ].*[^:]$" AND summary STREQUAL "")
    roff_escape("${line}" summary)
  endif()
endforeach()

file(WRITE ${OUTPUT} ".TH SAPORINA 1 \"\" \"Saporina ${VERSION}\" \"User Commands\"
.SH NAME
saporina \\- personal recipe book with pictures, in English and Spanish
.SH SYNOPSIS
.B saporina
${synopsis}
.SH DESCRIPTION
${summary}
.PP
Saporina keeps a cook's recipes in one book: categories, times, yield, ingredients, preparation, notes
and a picture for each recipe. It browses, searches, scales, prints, e\\-mails, exports, imports and backs
up recipes, in English and Spanish.
.PP
Started with recipe files, Saporina opens its import wizard on each of them in turn. When a copy of
Saporina is already running on the same data folder, the files are handed to it and the new start ends
at once. Files of its own export, MealMaster, MasterCook, RecipeML, Cooklang, Paprika and saved recipe
web pages are read.
.SH OPTIONS
${options}.SH ENVIRONMENT
.TP
.B SAPORINA_HOME
The data folder holding the book (recipes.xml) and its pictures; by default the user's application data
folder.
.SH EXIT STATUS
0 on success, 1 when a file could not be read or imported, 2 for a usage error.
")
