# The PNG reader and its colour manager: portable core, zlib only.
add_library(skin_png STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RasterImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorConverters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngChunks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lz77Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinImagePasses.cpp)
target_link_libraries(skin_png PUBLIC classlib_core tarvisel_options ZLIB::ZLIB)
if(TARVISEL_WIN32)
  # The reader as a class-library bitmap, its picture-format entry and the icon builders.
  target_sources(skin_png PRIVATE ${CMAKE_CURRENT_LIST_DIR}/acPNG.cpp)
  target_link_libraries(skin_png PUBLIC skin_graphics classlib)
endif()
