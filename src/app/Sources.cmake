list(APPEND TESSAPLOT_CORE_SOURCES
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClassicControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Glyphs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PathStrings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RadioGroup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadProgressDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Temp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TempLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Widgets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LocaleText.cpp
)
