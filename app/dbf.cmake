# The dBASE table writer of the schedule export: portable, over its own small file interface.
add_library(app_dbf STATIC Dbf_srv.cpp DbfDiskFiles.cpp DbfMemoryFiles.cpp)
if(TARVISEL_WIN32)
  target_sources(app_dbf PRIVATE DbfDiskPlatformWin32.cpp)
else()
  target_sources(app_dbf PRIVATE DbfDiskPlatformHost.cpp)
endif()
target_link_libraries(app_dbf PUBLIC tarvisel_options)
