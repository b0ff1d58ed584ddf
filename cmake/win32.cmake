# The Windows build: tarvelo.exe, a statically linked PE32 GUI program, and
# the tests that run under Wine through the emulator script.
set(TARVELO_STATIC -static -static-libgcc -static-libstdc++)
configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-env.sh.in ${CMAKE_BINARY_DIR}/wine-env.sh @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# Win32 code of the application shell and of the store and search commands.
add_library(tarvelo_win32 STATIC
    store/locations_win32.cpp
    store/ansi_path_win32.cpp
    store/open_database_win32.cpp
    toolkit/message_box.cpp
)
target_link_libraries(tarvelo_win32 PUBLIC tarvelo_core imagehlp comctl32 ole32 comdlg32 gdi32)
target_compile_options(tarvelo_win32 PRIVATE ${TARVELO_WARNINGS})
target_compile_definitions(tarvelo_win32 PUBLIC WINVER=0x0601 _WIN32_WINNT=0x0601
    WIN32_LEAN_AND_MEAN NOMINMAX)

# The icons, the program icon and the manifest; the crash report.
include(cmake/resources.cmake)
include(cmake/crash.cmake)

add_executable(tarvelo WIN32 app/main.cpp)
target_link_libraries(tarvelo PRIVATE tarvelo_win32)
target_compile_options(tarvelo PRIVATE ${TARVELO_WARNINGS})
target_link_options(tarvelo PRIVATE ${TARVELO_STATIC} -mwindows)

# The core's unit tests run on the target too, under Wine.
add_executable(core_tests_win32
    tests/unit/text_codec_test.cpp
    tests/unit/database_test.cpp
    tests/unit/quotes_test.cpp
    tests/unit/condition_test.cpp
    tests/unit/search_statement_test.cpp
    tests/unit/locations_test.cpp
)
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
