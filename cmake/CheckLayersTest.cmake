# SPDX-License-Identifier: GPL-3.0-or-later
# Runs CheckLayers.cmake on small trees of its own: a sound one must pass, and each planted fault must fail
# naming the file that holds it.
# Usage: cmake -DWORK_DIR=folder -P CheckLayersTest.cmake
if(NOT WORK_DIR)
    message(FATAL_ERROR "WORK_DIR is not set")
endif()
set(check "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake")

function(plant tree file text)
    file(WRITE "${WORK_DIR}/${tree}/${file}" "${text}\n")
endfunction()

# A tree that keeps every rule, which each case copies and spoils once.
function(sound_tree tree)
    file(REMOVE_RECURSE "${WORK_DIR}/${tree}")
    plant(${tree} "base/document.h" "#pragma once")
    plant(${tree} "editor/colouring.cpp" "#include \"colouring.h\"\n#include \"base/document.h\"")
    plant(${tree} "editor/colouring.h" "#include <QString>")
    plant(${tree} "editor/ui/view.h" "#include \"editor/colouring.h\"")
    plant(${tree} "app/recentfiles.h" "#pragma once")
    plant(${tree} "app/ui/mainform.h" "#include \"editor/ui/view.h\"\n#include \"site/ui/tree.h\"")
    plant(${tree} "site/ui/tree.h" "#include \"app/recentfiles.h\"\n#include \"editor/ui/view.h\"")
    plant(${tree} "main.cpp" "#include \"app/ui/mainform.h\"")
endfunction()

function(expect tree outcome fault)
    execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${WORK_DIR}/${tree} -P "${check}"
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(outcome STREQUAL "pass" AND NOT result EQUAL 0)
        message(FATAL_ERROR "${tree}: the sound tree was refused:\n${err}")
    endif()
    if(outcome STREQUAL "fail")
        if(result EQUAL 0)
            message(FATAL_ERROR "${tree}: the planted fault in ${fault} passed the check")
        endif()
        string(FIND "${err}" "${fault}" named)
        if(named LESS 0)
            message(FATAL_ERROR "${tree}: the check failed without naming ${fault}:\n${err}")
        endif()
    endif()
endfunction()

sound_tree(sound)
expect(sound pass "")

sound_tree(editor_up)
plant(editor_up "editor/find.cpp" "#include \"app/ui/mainform.h\"")
expect(editor_up fail "editor/find.cpp: includes app/ui/mainform.h")

sound_tree(editor_site)
plant(editor_site "editor/drops.h" "#include \"site/ui/tree.h\"")
expect(editor_site fail "editor/drops.h: includes site/ui/tree.h")

sound_tree(base_up)
plant(base_up "base/settings.cpp" "#include \"editor/colouring.h\"")
expect(base_up fail "base/settings.cpp: includes editor/colouring.h")

sound_tree(logic_widget)
plant(logic_widget "editor/stylelist.cpp" "#include \"ui/view.h\"")
expect(logic_widget fail "editor/stylelist.cpp: logic includes the widget header editor/ui/view.h")

sound_tree(site_window)
plant(site_window "site/ui/commands.cpp" "#include \"app/ui/mainform.h\"")
expect(site_window fail "site/ui/commands.cpp: includes app/ui/mainform.h")

file(REMOVE_RECURSE "${WORK_DIR}")
