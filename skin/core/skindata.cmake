# Skin data: the description parser, the skin records, their look-ups and colour adjustment, and
# the loading of a skin's images (BMP, PNG, JPEG) from a folder or a packed container.
add_library(skin_data STATIC
  ${CMAKE_CURRENT_LIST_DIR}/acSkinIni.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acSkinNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acImageValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acJpegDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acSkinBitmaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acSkinFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sMaskData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acLoadMasks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acLoadPatterns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acLoadGeneralData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acSkinLookups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acConstantIndexes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acSkinColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acSkinLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acChangeImage.cpp)
target_link_libraries(skin_data PUBLIC skin_core skin_graphics skin_png classlib_core tarvisel_jpeg)
