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
add_executable(core_tests_win32 ${TARVELO_UNIT_TESTS})
target_link_libraries(core_tests_win32 PRIVATE tarvelo_core GTest::gtest_main)
target_compile_options(core_tests_win32 PRIVATE ${TARVELO_WARNINGS})
target_link_options(core_tests_win32 PRIVATE ${TARVELO_STATIC})
add_test(NAME win32.core_tests COMMAND core_tests_win32)

# Tests that start the real tarvelo.exe and watch it from outside.
add_executable(program_tests
    tests/win32/program_runner.cpp
    tests/win32/startup_test.cpp
)
target_link_libraries(program_tests PRIVATE GTest::gtest_main tarvelo_core)
target_compile_options(program_tests PRIVATE ${TARVELO_WARNINGS})
target_compile_definitions(program_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(program_tests PRIVATE ${TARVELO_STATIC})
add_dependencies(program_tests tarvelo)
add_test(NAME win32.program_tests COMMAND program_tests)
set_tests_properties(win32.program_tests PROPERTIES
    ENVIRONMENT "TARVELO_EXE=$<TARGET_FILE:tarvelo>")

# The main window built through the real start-up, inside the test process.
add_executable(window_tests
    tests/win32/program_runner.cpp
    tests/win32/window_fixture.cpp
    tests/win32/main_window_test.cpp
    tests/win32/search_window_test.cpp
    ${TARVELO_RESOURCE_FILES}
)
target_link_libraries(window_tests PRIVATE tarvelo_app GTest::gtest_main)
target_compile_options(window_tests PRIVATE ${TARVELO_WARNINGS})
target_link_options(window_tests PRIVATE ${TARVELO_STATIC})
add_test(NAME win32.window_tests COMMAND window_tests)

# Faults raised in the running program from outside, and the report they bring.
add_executable(crash_tests
    tests/win32/program_runner.cpp
    tests/win32/fault_injector.cpp
    tests/win32/crash_test.cpp
    tests/win32/crash_during_import_test.cpp
    tests/win32/import_fixture.cpp
)
target_link_libraries(crash_tests PRIVATE tarvelo_crash GTest::gtest_main)
target_compile_options(crash_tests PRIVATE ${TARVELO_WARNINGS})
target_link_options(crash_tests PRIVATE ${TARVELO_STATIC})
add_dependencies(crash_tests tarvelo)
add_test(NAME win32.crash_tests COMMAND crash_tests)
set_tests_properties(win32.crash_tests PROPERTIES
    ENVIRONMENT "TARVELO_EXE=$<TARGET_FILE:tarvelo>")

# The real program driven with real keystrokes under Xvfb.
add_test(NAME e2e.keyboard COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/keyboard_e2e.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.keyboard PROPERTIES DEPENDS win32.program_tests)

# The import benchmark under Wine (make bench), not a test.
add_executable(import_bench EXCLUDE_FROM_ALL bench/import_bench.cpp)
target_link_libraries(import_bench PRIVATE tarvelo_core)
target_compile_options(import_bench PRIVATE ${TARVELO_WARNINGS})
target_link_options(import_bench PRIVATE ${TARVELO_STATIC})

# Start-up time of the real program (make bench), not a test.
add_executable(startup_bench EXCLUDE_FROM_ALL bench/startup_bench.cpp)
target_compile_options(startup_bench PRIVATE ${TARVELO_WARNINGS})
target_link_options(startup_bench PRIVATE ${TARVELO_STATIC})

# The "Update database" command: in-process against the real file dialog,
# and the real program killed in the middle of an import.
add_executable(import_window_tests
    tests/win32/program_runner.cpp
    tests/win32/window_fixture.cpp
    tests/win32/import_window_test.cpp
    ${TARVELO_RESOURCE_FILES}
)
target_link_libraries(import_window_tests PRIVATE tarvelo_app GTest::gtest_main)
target_compile_options(import_window_tests PRIVATE ${TARVELO_WARNINGS})
target_link_options(import_window_tests PRIVATE ${TARVELO_STATIC})
add_test(NAME win32.import_window_tests COMMAND import_window_tests)
add_executable(import_program_tests
    tests/win32/program_runner.cpp
    tests/win32/import_program_test.cpp
    tests/win32/import_fixture.cpp
)
target_link_libraries(import_program_tests PRIVATE tarvelo_win32 GTest::gtest_main)
target_compile_options(import_program_tests PRIVATE ${TARVELO_WARNINGS})
target_link_options(import_program_tests PRIVATE ${TARVELO_STATIC})
add_dependencies(import_program_tests tarvelo)
add_test(NAME win32.import_program_tests COMMAND import_program_tests)
# A stuck modal dialog fails the run instead of holding it up.
set_tests_properties(win32.import_window_tests PROPERTIES TIMEOUT 240)
set_tests_properties(win32.import_program_tests PROPERTIES
    ENVIRONMENT "TARVELO_EXE=$<TARGET_FILE:tarvelo>" TIMEOUT 120)
# The import through the real window and file dialog, timed (make bench), not
# a test.
add_executable(import_wine_bench EXCLUDE_FROM_ALL
    bench/import_wine_bench.cpp
    tests/win32/program_runner.cpp
    ${TARVELO_RESOURCE_FILES}
)
target_link_libraries(import_wine_bench PRIVATE tarvelo_app)
target_compile_options(import_wine_bench PRIVATE ${TARVELO_WARNINGS})
target_link_options(import_wine_bench PRIVATE ${TARVELO_STATIC})

# Search and copy: the real program searched and copied from with real input
# under Xvfb (it takes the desktop lock like every test with windows), and
# the search benchmark (make bench), not a test.
add_test(NAME e2e.search_copy
    COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/search_copy_e2e.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.search_copy PROPERTIES DEPENDS win32.program_tests)
add_executable(search_bench EXCLUDE_FROM_ALL bench/search_bench.cpp ${TARVELO_RESOURCE_FILES})
target_link_libraries(search_bench PRIVATE tarvelo_app)
target_compile_options(search_bench PRIVATE ${TARVELO_WARNINGS})
target_link_options(search_bench PRIVATE ${TARVELO_STATIC})
