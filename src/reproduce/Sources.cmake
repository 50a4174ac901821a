list(APPEND TESSAPLOT_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PictureCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShellWord.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewMatrixText.cpp
)
list(APPEND TESSAPLOT_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ShownPictureChoices.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandLineMenu.cpp
)
