list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Comparison.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Evidence.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EvidenceGeometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EvidenceRows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RunSummary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SummaryEvidence.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RunComparisonTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RunFigures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DifferenceField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OverlayGeometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowPlacement.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ComparedOverlays.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EvidenceOverlays.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompareMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompareRunsWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DifferenceView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CurveOverlay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OverlayDrawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OverlayExport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SectionOverlay.cpp
)
