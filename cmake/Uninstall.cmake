# Removes what `make install` put under PREFIX (InstalledFiles.cmake), and
# nothing else: the folders stay, as other programs share them.
#   cmake -DPREFIX=/usr/local -P cmake/Uninstall.cmake
if(NOT PREFIX)
  message(FATAL_ERROR "Uninstall.cmake: give the install prefix as -DPREFIX=...")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/InstalledFiles.cmake)
foreach(file IN LISTS LOCKORA_INSTALLED_FILES)
  set(path "$ENV{DESTDIR}${PREFIX}/${file}")
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
  endif()
endforeach()
