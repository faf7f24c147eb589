# The schedule points of the time-control page and their export as a dBASE table: portable.
add_library(app_schedule STATIC SchedulePoint.cpp ScheduleTable.cpp)
target_link_libraries(app_schedule PUBLIC app_core app_dbf tarvisel_options)
