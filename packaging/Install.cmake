# What `cmake --install` puts on a machine, and the Debian package made of it.
# Debian keeps a package's documents under its own name.
set(CMAKE_INSTALL_DOCDIR share/doc/quorvel-tessaplot)
include(GNUInstallDirs)
set(TESSAPLOT_APP_ID io.quorvel.Tessaplot)
set(TESSAPLOT_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS plotvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TESSAPLOT_PACKAGING}/${TESSAPLOT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TESSAPLOT_PACKAGING}/${TESSAPLOT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TESSAPLOT_PACKAGING}/${TESSAPLOT_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${TESSAPLOT_PACKAGING}/${TESSAPLOT_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TESSAPLOT_APP_ID}.png)
endforeach()
# The manual page and the changelog are installed compressed, as Debian asks; -n keeps
# the name and time out of the archive, so each build gives the same bytes.
set(TESSAPLOT_COMPRESSED)
foreach(document plotvane.1 changelog)
  set(compressed ${PROJECT_BINARY_DIR}/packaging/${document}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9n -c '${TESSAPLOT_PACKAGING}/${document}' > '${compressed}'"
    DEPENDS ${TESSAPLOT_PACKAGING}/${document}
    VERBATIM)
  list(APPEND TESSAPLOT_COMPRESSED ${compressed})
endforeach()
add_custom_target(compressed_documents ALL DEPENDS ${TESSAPLOT_COMPRESSED})

install(FILES ${PROJECT_BINARY_DIR}/packaging/plotvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${TESSAPLOT_PACKAGING}/copyright
              ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME quorvel-tessaplot)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_CONTACT "Quorvel Tessaplot developers <tessaplot@quorvel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for simulations of heat and moisture in clothing")
# The extended description only: the summary above is its first line already.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Shows the result tables of a simulation of heat and moisture in multi-layer\nclothing: fields as 3D meshes, sections, body quantities and comfort, and\nsaves pictures as PNG, SVG or PDF and their numbers as CSV.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found by no library lookup: the fonts the texts are drawn in and the OpenGL driver.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-crosextra-carlito, fonts-liberation2, fonts-dejavu-core, libgl1-mesa-dri")
# An export draws with OpenGL, so on a machine without a display it runs under
# xvfb-run (which calls xauth); a desktop needs neither, hence no dependency.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xvfb, xauth")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
