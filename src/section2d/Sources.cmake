list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ImageFileName.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionExtraction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionPlot.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Image2d.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionNumber.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionWiring.cpp
)
