list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ColourKey.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Picking.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadoutText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimeMark.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ReadoutOverlays.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColourKeyDrawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColourKeyMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PointerReadout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadingMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimeMarkDrawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimeMarkMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValuesAtTime.cpp
)
