# The core's include check refuses every way out of the core and lets the core's own includes pass.
# Run with -DCHECK=<check script> -DWORK=<scratch folder>.
set(rows
    "refused|#include \"platform/fluidsynth_player.h\""
    "refused|#include \"ui/main_window.h\""
    "refused|#include \"../platform/qt_pictures.h\""
    "refused|#include \"main_window.h\""
    "refused|#include <QString>"
    "refused|#include <fluidsynth.h>"
    "passed|#include \"base/errors.h\"\n#include <vector>\n#include <unistd.h>")
set(failed "")
foreach(row IN LISTS rows)
    string(REGEX MATCH "^[a-z]+" expected "${row}")
    string(REGEX REPLACE "^[a-z]+\\|" "" text "${row}")
    file(REMOVE_RECURSE ${WORK})
    file(WRITE ${WORK}/state/probe.cpp "${text}\n")
    file(WRITE ${WORK}/base/errors.h "#pragma once\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK} "-DDIRS=base;state" -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(result EQUAL 0)
        set(outcome passed)
    else()
        set(outcome refused)
    endif()
    if(NOT outcome STREQUAL expected)
        list(APPEND failed "${text}: ${outcome}, expected ${expected}")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
if(failed)
    list(JOIN failed "\n" failed)
    message(FATAL_ERROR "${failed}")
endif()
