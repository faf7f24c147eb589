# The PNG reader and its colour manager, the icon reader and the alpha image list: portable core,
# zlib only; the list itself in win32.
add_library(skin_png STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RasterImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorConverters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngChunks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lz77Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinImagePasses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IcoReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acAlphaImageCore.cpp)
target_link_libraries(skin_png PUBLIC classlib_core tarvisel_options ZLIB::ZLIB)
if(TARVISEL_WIN32)
  # The reader as a class-library bitmap, its picture-format entry and the icon builders.
  target_sources(skin_png PRIVATE ${CMAKE_CURRENT_LIST_DIR}/acPNG.cpp ${CMAKE_CURRENT_LIST_DIR}/acAlphaImageList.cpp)
  target_link_libraries(skin_png PUBLIC skin_graphics classlib)
endif()
