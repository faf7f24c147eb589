# Portable parts of the graphics (both builds): the BMP file format, fuzzed on the host.
target_sources(classlib_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BmpFormat.cpp)
