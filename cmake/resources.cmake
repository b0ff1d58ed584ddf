# Icons, the program icon and the application manifest. make_icons.py draws
# the icons into the build folder: the six images become tarvelo_resources
# (complete ICO files as byte arrays), the program icon and the manifest go
# into tarvelo.exe through tarvelo.rc.
find_package(Python3 3.6 REQUIRED COMPONENTS Interpreter)

set(TARVELO_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(TARVELO_ICON_FILES)
foreach(name tag bubble copy about keys help app)
    list(APPEND TARVELO_ICON_FILES ${TARVELO_ICON_DIR}/${name}.ico)
endforeach()
add_custom_command(
    OUTPUT ${TARVELO_ICON_FILES} ${TARVELO_ICON_DIR}/icons_data.cpp
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/resources/make_icons.py
        ${TARVELO_ICON_DIR}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/make_icons.py
    COMMENT "Drawing the icons"
    VERBATIM)
# One target owns the drawing, so that the targets that use its files never
# run it twice at the same time.
add_custom_target(tarvelo_icons DEPENDS ${TARVELO_ICON_FILES} ${TARVELO_ICON_DIR}/icons_data.cpp)

add_library(tarvelo_resources STATIC ${TARVELO_ICON_DIR}/icons_data.cpp)
target_include_directories(tarvelo_resources PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tarvelo_resources PRIVATE ${TARVELO_WARNINGS})
add_dependencies(tarvelo_resources tarvelo_icons)

# windres finds the manifest beside the .rc and the program icon through the
# include path; the .rc is compiled again when either changes.
set(TARVELO_RESOURCE_FILES ${PROJECT_SOURCE_DIR}/resources/tarvelo.rc)
set_source_files_properties(${TARVELO_RESOURCE_FILES} PROPERTIES
    INCLUDE_DIRECTORIES ${TARVELO_ICON_DIR}
    OBJECT_DEPENDS "${TARVELO_ICON_DIR}/app.ico;${PROJECT_SOURCE_DIR}/resources/tarvelo.manifest")
# A target that compiles the .rc must wait for the drawing: linking
# tarvelo_resources makes it do so.

# The tests also read the program icon and the manifest out of tarvelo.exe.
tarvelo_win32_test(icon_tests PROGRAM
    SOURCES tests/win32/icon_test.cpp LIBRARIES tarvelo_resources tarvelo_win32)
