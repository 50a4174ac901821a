list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BodyQuantities.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldLoader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileIdentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeptFieldTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LayerCount.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PathShortening.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadProblemText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResultFileListing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WildcardMatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorkerThread.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DirectoryListBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Unit4.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldLoading.cpp
)
