# The Windows build: tarvelo.exe, a statically linked PE32 GUI program, and
# the tests that run under Wine through the emulator script.
set(TARVELO_STATIC -static -static-libgcc -static-libstdc++)
configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-env.sh.in ${CMAKE_BINARY_DIR}/wine-env.sh @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# Tests with windows share the one Wine desktop and its foreground window:
# they run one at a time. The core's tests have no windows and run beside them.
function(tarvelo_lock_desktop_tests)
    get_property(tests DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY TESTS)
    foreach(test IN LISTS tests)
        if(NOT test STREQUAL "win32.core_tests")
            set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK wine_desktop)
        endif()
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tarvelo_lock_desktop_tests)

# A program of this build: warnings as errors, statically linked.
function(tarvelo_win32_program name)
    cmake_parse_arguments(ARG "EXCLUDE_FROM_ALL" "" "SOURCES;LIBRARIES" ${ARGN})
    set(exclude)
    if(ARG_EXCLUDE_FROM_ALL)
        set(exclude EXCLUDE_FROM_ALL)
    endif()
    add_executable(${name} ${exclude} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
    target_compile_options(${name} PRIVATE ${TARVELO_WARNINGS})
    target_compile_definitions(${name} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_options(${name} PRIVATE ${TARVELO_STATIC})
endfunction()

# A GoogleTest program, run under Wine as the test win32.<name>. PROGRAM: it
# starts the real tarvelo.exe, which TARVELO_EXE names.
function(tarvelo_win32_test name)
    cmake_parse_arguments(ARG "PROGRAM" "TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
    tarvelo_win32_program(${name} SOURCES ${ARG_SOURCES}
        LIBRARIES GTest::gtest_main ${ARG_LIBRARIES})
    add_test(NAME win32.${name} COMMAND ${name})
    if(ARG_PROGRAM)
        add_dependencies(${name} tarvelo)
        set_tests_properties(win32.${name} PROPERTIES
            ENVIRONMENT "TARVELO_EXE=$<TARGET_FILE:tarvelo>")
    endif()
    if(ARG_TIMEOUT)
        set_tests_properties(win32.${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    endif()
endfunction()

# Win32 code of the application shell and of the store and search commands.
add_library(tarvelo_win32 STATIC
    store/locations_win32.cpp
    store/ansi_path_win32.cpp
    store/open_database_win32.cpp
    toolkit/message_box.cpp
    toolkit/window.cpp
    toolkit/controls.cpp
    toolkit/event_wait.cpp
    toolkit/image_menu.cpp
    toolkit/status_bar.cpp
    toolkit/ico_image.cpp
)
target_link_libraries(tarvelo_win32 PUBLIC tarvelo_core imagehlp comctl32 ole32 comdlg32 gdi32
    uxtheme)
target_compile_options(tarvelo_win32 PRIVATE ${TARVELO_WARNINGS})
target_compile_definitions(tarvelo_win32 PUBLIC WINVER=0x0601 _WIN32_WINNT=0x0601
    WIN32_LEAN_AND_MEAN NOMINMAX)

# The icons, the program icon and the manifest; the crash report.
include(cmake/resources.cmake)
include(cmake/crash.cmake)

# The application shell: everything of tarvelo.exe but its entry routine, so
# that the window tests build the real window through the real start-up.
add_library(tarvelo_app STATIC
    app/startup.cpp
    app/event_loop.cpp
    app/main_window.cpp
    app/main_menu.cpp
    app/status_line.cpp
    app/balloon_tips.cpp
    app/help_boxes.cpp
    store/import_win32.cpp
    search/search_commands_win32.cpp
    search/clipboard_win32.cpp
)
target_link_libraries(tarvelo_app PUBLIC tarvelo_win32 tarvelo_crash tarvelo_resources)
target_compile_options(tarvelo_app PRIVATE ${TARVELO_WARNINGS})

add_executable(tarvelo WIN32 app/main.cpp ${TARVELO_RESOURCE_FILES})
target_link_libraries(tarvelo PRIVATE tarvelo_app)
target_compile_options(tarvelo PRIVATE ${TARVELO_WARNINGS})
target_link_options(tarvelo PRIVATE ${TARVELO_STATIC} -mwindows -s)

# The core's unit tests run on the target too, under Wine.
tarvelo_win32_program(core_tests_win32 SOURCES ${TARVELO_UNIT_TESTS}
    LIBRARIES tarvelo_core GTest::gtest_main)
add_test(NAME win32.core_tests COMMAND core_tests_win32)

# Tests that start the real tarvelo.exe and watch it from outside.
tarvelo_win32_test(program_tests PROGRAM
    SOURCES tests/win32/program_runner.cpp tests/win32/startup_test.cpp
    LIBRARIES tarvelo_core)

# The main window built through the real start-up, inside the test process.
tarvelo_win32_test(window_tests
    SOURCES
        tests/win32/program_runner.cpp
        tests/win32/window_fixture.cpp
        tests/win32/main_window_test.cpp
        tests/win32/search_window_test.cpp
        ${TARVELO_RESOURCE_FILES}
    LIBRARIES tarvelo_app)

# Faults raised in the running program from outside, and the report they bring.
tarvelo_win32_test(crash_tests PROGRAM
    SOURCES
        tests/win32/program_runner.cpp
        tests/win32/fault_injector.cpp
        tests/win32/crash_test.cpp
        tests/win32/crash_during_import_test.cpp
        tests/win32/import_fixture.cpp
    LIBRARIES tarvelo_crash)

# The "Update database" command: in-process against the real file dialog,
# and the real program killed in the middle of an import. A stuck modal
# dialog fails the run instead of holding it up.
tarvelo_win32_test(import_window_tests TIMEOUT 240
    SOURCES
        tests/win32/program_runner.cpp
        tests/win32/window_fixture.cpp
        tests/win32/import_window_test.cpp
        ${TARVELO_RESOURCE_FILES}
    LIBRARIES tarvelo_app)
tarvelo_win32_test(import_program_tests PROGRAM TIMEOUT 120
    SOURCES
        tests/win32/program_runner.cpp
        tests/win32/import_program_test.cpp
        tests/win32/import_fixture.cpp
    LIBRARIES tarvelo_win32)

# The real program driven with real keystrokes under Xvfb.
add_test(NAME e2e.keyboard COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/keyboard_e2e.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.keyboard PROPERTIES DEPENDS win32.program_tests)

# The real program searched and copied from with real input under Xvfb.
add_test(NAME e2e.search_copy
    COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/search_copy_e2e.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.search_copy PROPERTIES DEPENDS win32.program_tests)

# Benchmarks (make bench), not tests: the import alone, the start-up of the
# real program, the import through the real window and file dialog, and the
# search.
tarvelo_win32_program(import_bench EXCLUDE_FROM_ALL
    SOURCES bench/import_bench.cpp LIBRARIES tarvelo_core)
tarvelo_win32_program(startup_bench EXCLUDE_FROM_ALL SOURCES bench/startup_bench.cpp)
tarvelo_win32_program(import_wine_bench EXCLUDE_FROM_ALL
    SOURCES bench/import_wine_bench.cpp tests/win32/program_runner.cpp ${TARVELO_RESOURCE_FILES}
    LIBRARIES tarvelo_app)
tarvelo_win32_program(search_bench EXCLUDE_FROM_ALL
    SOURCES bench/search_bench.cpp ${TARVELO_RESOURCE_FILES} LIBRARIES tarvelo_app)
