# Portable parts of the graphics (both builds): the BMP file format and the JPEG codec, fuzzed
# on the host.
target_sources(classlib_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BmpFormat.cpp ${CMAKE_CURRENT_LIST_DIR}/JpegCodec.cpp)
target_link_libraries(classlib_core PUBLIC tarvisel_jpeg)
