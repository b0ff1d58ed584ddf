# The unhandled-fault filter and the box that shows its report. The report's
# text (crash/report.cpp) is platform-free and belongs to tarvelo_core.
add_library(tarvelo_crash STATIC
    crash/fault_record_win32.cpp
    crash/report_box_win32.cpp
    crash/fault_filter_win32.cpp
)
target_link_libraries(tarvelo_crash PUBLIC tarvelo_core tarvelo_win32 user32)
target_compile_options(tarvelo_crash PRIVATE ${TARVELO_WARNINGS})
