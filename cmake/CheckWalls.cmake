# Fails when a layer above runtime/ includes a toolkit, storage-engine or
# crypto header. The include roots already keep <QWidget> and <sqlite3.h>
# out of reach; this catches the spellings the compiler's default paths
# still find, such as <sqlcipher/sqlite3.h> or <qt6/QtCore/QString>.
# Usage: cmake -DSOURCE_DIR=<project> -P CheckWalls.cmake
set(layers app browse window data errors util pairs)
set(found "")
foreach(layer ${layers})
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} lines
         REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|qt6/.*|Qt[A-Za-z]+/.*|sqlcipher/.*|sqlite3\\.h|sodium.*)[>\"]")
    foreach(line ${lines})
      string(APPEND found "${source}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Only runtime/ may include Qt, SQLCipher or libsodium headers:\n${found}")
endif()
