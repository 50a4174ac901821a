list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ComfortReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SensationBands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BandStatistics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Conclusions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComfortChartGeometry.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ComfortWiring.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComfortRefresh.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComfortChart.cpp
)
