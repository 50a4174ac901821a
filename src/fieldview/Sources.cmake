list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ColorRamp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldMesh.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameGeometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MeshThinning.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Swatches.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TickLabels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewSteps.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ColorBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Colorselection1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeferredRedraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DrawAxes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldDrawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldFollowing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldViewWiring.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Navigation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShowData.cpp
)
