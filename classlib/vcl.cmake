# Object model, forms and plain controls of the component library (win32 only).
target_sources(classlib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TypInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Buttons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditMask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Registration.cpp
)
