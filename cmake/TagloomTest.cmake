# SPDX-License-Identifier: GPL-3.0-or-later
# tagloom_add_test(name SOURCES ... [LIBS ...] [GUI]): one QtTest executable per subject, run by CTest.
# Every test runs offscreen, with the build folder as program folder and its own empty settings.
function(tagloom_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE tagloom_testsupport Qt6::Test ${ARG_LIBS})
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE tagloom_gui)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAGLOOM_HOME=${CMAKE_BINARY_DIR};QTWEBENGINE_DISABLE_SANDBOX=1")
endfunction()
