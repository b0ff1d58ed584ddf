# The native build: the core and its unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer. The tests of the Windows build are included so
# that one CTest run covers both builds.
set(TARVELO_SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
target_compile_options(tarvelo_core PRIVATE ${TARVELO_SANITIZERS})

include(GoogleTest)
add_executable(core_tests ${TARVELO_UNIT_TESTS})
target_link_libraries(core_tests PRIVATE tarvelo_core GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${TARVELO_WARNINGS} ${TARVELO_SANITIZERS})
target_link_options(core_tests PRIVATE ${TARVELO_SANITIZERS})
gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST)

set(TARVELO_WIN32_BUILD ${PROJECT_SOURCE_DIR}/build/win32 CACHE PATH
    "The Windows build whose tests join this build's CTest run")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES
    ${CMAKE_CURRENT_BINARY_DIR}/include-win32-tests.cmake)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/include-win32-tests.cmake
    "if(EXISTS \"${TARVELO_WIN32_BUILD}/CTestTestfile.cmake\")\n"
    "  include(\"${TARVELO_WIN32_BUILD}/CTestTestfile.cmake\")\n"
    "endif()\n")

# Formatting is part of the build's checks.
find_program(CLANG_FORMAT clang-format REQUIRED)
file(GLOB_RECURSE TARVELO_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
    ${PROJECT_SOURCE_DIR}/toolkit/*.cpp ${PROJECT_SOURCE_DIR}/toolkit/*.h
    ${PROJECT_SOURCE_DIR}/store/*.cpp ${PROJECT_SOURCE_DIR}/store/*.h
    ${PROJECT_SOURCE_DIR}/search/*.cpp ${PROJECT_SOURCE_DIR}/search/*.h
    ${PROJECT_SOURCE_DIR}/crash/*.cpp ${PROJECT_SOURCE_DIR}/crash/*.h
    ${PROJECT_SOURCE_DIR}/resources/*.cpp ${PROJECT_SOURCE_DIR}/resources/*.h
    ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
    ${PROJECT_SOURCE_DIR}/bench/*.cpp)
add_test(NAME format COMMAND ${CLANG_FORMAT} --dry-run --Werror ${TARVELO_SOURCES})

# The import benchmark (make bench), not a test: built from the core's sources
# without the sanitizers, so that it times the code as shipped.
get_target_property(TARVELO_CORE_SOURCES tarvelo_core SOURCES)
add_executable(import_bench EXCLUDE_FROM_ALL bench/import_bench.cpp ${TARVELO_CORE_SOURCES})
target_include_directories(import_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(import_bench PRIVATE sqlite3)
target_compile_options(import_bench PRIVATE ${TARVELO_WARNINGS})
