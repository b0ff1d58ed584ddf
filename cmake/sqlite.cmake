# The SQLite engine, compiled from the amalgamation that scripts/fetch-sqlite.sh
# keeps in .cache/sqlite, with the same options in both builds.
set(SQLITE_DIR ${PROJECT_SOURCE_DIR}/.cache/sqlite)
if(NOT EXISTS ${SQLITE_DIR}/sqlite3.c)
    message(FATAL_ERROR "SQLite amalgamation missing: run scripts/setup.sh (make setup)")
endif()
add_library(sqlite3 STATIC ${SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${SQLITE_DIR})
target_compile_definitions(sqlite3 PUBLIC SQLITE_THREADSAFE=1 SQLITE_TEMP_STORE=1
    PRIVATE SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0)
target_compile_options(sqlite3 PRIVATE -w -O2)
set_target_properties(sqlite3 PROPERTIES COMPILE_OPTIONS_SANITIZE OFF)
