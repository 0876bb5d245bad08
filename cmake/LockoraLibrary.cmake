# One static library per layer folder; its sources are every .cpp in the
# folder, so adding a class never means editing a CMake file.
#
# The walls between layers: a library's headers are reachable only through an
# include root of its own (build/include/<name>/<folder> links to the folder),
# published to the libraries that link it. A layer therefore sees its own
# folder and the folders of what it links, and an include of a layer above it
# fails to compile. PRIVATE_DEPS (Qt, SQLCipher, libsodium) stay inside the
# library: their headers never reach the layers above.
function(lockora_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${PROJECT_BINARY_DIR}/include/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    set(scope PUBLIC)
    target_link_libraries(${name} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${root})
  target_link_libraries(${name} ${scope} ${ARG_DEPS})
endfunction()

# One GoogleTest executable per tests/ folder, every case registered with CTest
# (its main picks Qt's offscreen platform) and leaving screenshots and other
# artefacts in the build folder's test-output/. Tests may reach any header.
function(lockora_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest
                        Qt6::Widgets PkgConfig::SQLCIPHER)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "LOCKORA_TEST_OUTPUT=${PROJECT_BINARY_DIR}/test-output"
               TIMEOUT 300)
endfunction()
