# Skin painting on the records of a loaded skin: sections, nine-slice borders and glyphs, texture
# tiling, region runs and templates, border painters; win32: the bitmap, cache and device-context
# forms, background questions to parents, regions.
add_library(skin_paint STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sSkinRect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sTileTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sSectionPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sSkinRegions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Sborders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sCommonDataCodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acGlowPlace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sBoundLabelPlace.cpp)
target_link_libraries(skin_paint PUBLIC skin_data skin_graphics classlib_core)
if(TARVISEL_WIN32)
  target_sources(skin_paint PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sSkinManager.cpp ${CMAKE_CURRENT_LIST_DIR}/sSkinManagerProperties.cpp ${CMAKE_CURRENT_LIST_DIR}/sSkinManagerEffects.cpp ${CMAKE_CURRENT_LIST_DIR}/sSkinPreviewWin32.cpp ${CMAKE_CURRENT_LIST_DIR}/sSkinManagerStartup.cpp ${CMAKE_CURRENT_LIST_DIR}/sChangeImageWin32.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sSkinManagerHooks.cpp ${CMAKE_CURRENT_LIST_DIR}/sSkinManagerMouse.cpp ${CMAKE_CURRENT_LIST_DIR}/sSkinPaintWin32.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sStyleSimply.cpp ${CMAKE_CURRENT_LIST_DIR}/sVclUtils.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sCommonData.cpp ${CMAKE_CURRENT_LIST_DIR}/sCommonDataPaint.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sCommonDataCommands.cpp ${CMAKE_CURRENT_LIST_DIR}/sCommonDataBackground.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sFade.cpp ${CMAKE_CURRENT_LIST_DIR}/acThdTimer.cpp ${CMAKE_CURRENT_LIST_DIR}/acGlow.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sCommonDataGlow.cpp ${CMAKE_CURRENT_LIST_DIR}/sCommonDataBoundLabel.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/sSkinTextWin32.cpp ${CMAKE_CURRENT_LIST_DIR}/acScrollBarsLink.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/acDialogHookLink.cpp ${CMAKE_CURRENT_LIST_DIR}/acAnimLink.cpp)
  target_link_libraries(skin_paint PUBLIC classlib skin_core gdi32 user32)
endif()
