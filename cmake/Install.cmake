# Install rules: the program, the launcher the desktop entry starts (it runs
# the program in the user's data folder), the entry and its icon. The
# launcher and the entry name the bin folder of the prefix given at install
# time (`cmake --install --prefix`), so they are written then, not when the
# build is configured.
set(dist ${PROJECT_SOURCE_DIR}/dist)
set(staged ${PROJECT_BINARY_DIR}/dist)
install(TARGETS lockora RUNTIME DESTINATION bin)
install(CODE "
  set(LOCKORA_BIN \"\${CMAKE_INSTALL_PREFIX}/bin\")
  configure_file(\"${dist}/lockora-desktop.in\" \"${staged}/lockora-desktop\" @ONLY)
  configure_file(\"${dist}/lockora.desktop.in\" \"${staged}/lockora.desktop\" @ONLY)
")
install(PROGRAMS ${staged}/lockora-desktop DESTINATION bin)
install(FILES ${staged}/lockora.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/runtime/controls/icons/lockora-logo.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME lockora.svg)
