# Graphics over GDI (win32): fonts, brushes, pens, canvas, bitmaps, pictures, JPEG, image lists.
target_sources(classlib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Graphic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Jpeg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemImageList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImgList.cpp)
