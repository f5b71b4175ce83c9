# Install rules: the program, its desktop entry and its icon at every size it is drawn in.
include(GNUInstallDirs)
install(TARGETS tolvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tolvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 96 128)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/tolvane-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tolvane.png)
endforeach()
