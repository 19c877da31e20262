# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file under SOURCE_DIR includes a header of a layer above its own, or when a file
# outside a ui/ folder includes one inside it. The layers, from the bottom up:
#   base                                   the settings, prompter, error guard, documents, action table
#   editor                                 the source editor and its commands
#   site, dialogs, templates, tools        the subjects built on the editor; they may use app's logic,
#                                          never its widgets: they reach the window through the hosts
#   app                                    the program and its main window
# Usage: cmake -DSOURCE_DIR=src -P CheckLayers.cmake
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "SOURCE_DIR is not set")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(allowed_base base)
set(allowed_editor base editor)
set(middle site dialogs templates tools)
foreach(layer IN LISTS middle)
    set(allowed_${layer} base editor app ${middle})
endforeach()
set(allowed_app base editor app ${middle})

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
set(faults "")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" layer "${source}")
    if(layer STREQUAL source)
        continue() # main.cpp makes the program and may include anything
    endif()
    if(NOT DEFINED allowed_${layer})
        string(APPEND faults "\n  ${source}: the folder ${layer}/ is not one of the layers")
        continue()
    endif()
    get_filename_component(folder "${source}" DIRECTORY)
    string(FIND "/${source}" "/ui/" source_ui)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
        # A header named from the source's own folder, or from the root of the sources.
        if(EXISTS "${SOURCE_DIR}/${folder}/${header}")
            set(target "${folder}/${header}")
        elseif(EXISTS "${SOURCE_DIR}/${header}")
            set(target "${header}")
        else()
            continue() # a generated or system header
        endif()
        string(REGEX MATCH "^[^/]+" target_layer "${target}")
        string(FIND "/${target}" "/ui/" target_ui)
        list(FIND allowed_${layer} "${target_layer}" allowed)
        if(allowed LESS 0)
            string(APPEND faults "\n  ${source}: includes ${target}, a layer above ${layer}/")
        elseif(source_ui LESS 0 AND target_ui GREATER_EQUAL 0)
            string(APPEND faults "\n  ${source}: logic includes the widget header ${target}")
        elseif(NOT layer STREQUAL "app" AND NOT layer STREQUAL target_layer AND target_layer STREQUAL "app"
               AND target_ui GREATER_EQUAL 0)
            string(APPEND faults "\n  ${source}: includes ${target}; the window is reached through the hosts")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes that break the layering:${faults}")
endif()
