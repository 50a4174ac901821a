list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/QuantityMatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MeasuredTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CurveView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimeSpan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Validation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Phases.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Thresholds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Tolerance.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
)
