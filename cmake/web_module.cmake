# The browser's module. A native build whose machine has Debian's emscripten builds it in a build of its own
# (build/web-build, configured with em++'s toolchain) and puts dalvex.js and dalvex.wasm in bin/web/ beside
# the page's files; that build also makes the core's tests for node. Included twice: by the native build,
# and by the em++ build itself, which builds only what runs in the browser or in node.
if(EMSCRIPTEN)
  # nlohmann's reader and the core's callers catch its exceptions: WebAssembly's own, which the browsers and
  # node have.
  add_compile_options(-fwasm-exceptions)
  add_link_options(-fwasm-exceptions)
  add_subdirectory(src/core)
  add_subdirectory(src/exchange)
  add_subdirectory(src/web)
  return()
endif()

option(DALVEX_BUILD_WEB "Build the browser's module when emscripten is installed" ON)
find_program(DALVEX_EMXX em++)
find_file(DALVEX_EMSCRIPTEN_TOOLCHAIN Emscripten.cmake PATHS /usr/share/emscripten/cmake/Modules/Platform
          NO_DEFAULT_PATH)
set(DALVEX_WEB_FOLDER ${DALVEX_OUTPUT_DIR}/web)
set(DALVEX_WEB_BUILD ${CMAKE_BINARY_DIR}/web-build)
if(NOT DALVEX_BUILD_WEB OR CMAKE_CROSSCOMPILING OR DALVEX_BUILD_FUZZ)
  return()
endif()
if(NOT DALVEX_EMXX OR NOT DALVEX_EMSCRIPTEN_TOOLCHAIN)
  message(STATUS "emscripten not found: the browser's module is not built (scripts/setup.sh installs it)")
  return()
endif()

# em++ runs its JavaScript tools under node, which finds their modules (acorn) among Debian's.
set(DALVEX_EM_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(launcher)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
include(ExternalProject)
ExternalProject_Add(dalvex_web_module
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${DALVEX_WEB_BUILD}
  CONFIGURE_COMMAND ${DALVEX_EM_ENV} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR> -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${DALVEX_EMSCRIPTEN_TOOLCHAIN} -DCMAKE_BUILD_TYPE=MinSizeRel
    -DDALVEX_WERROR=${DALVEX_WERROR} -DDALVEX_BUILD_TESTS=${DALVEX_BUILD_TESTS}
    -DDALVEX_WEB_FOLDER=${DALVEX_WEB_FOLDER} ${launcher}
  BUILD_COMMAND ${DALVEX_EM_ENV} ${CMAKE_COMMAND} --build <BINARY_DIR>
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

# The page's own files beside the module.
add_custom_target(dalvex_web ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/src/web/page ${DALVEX_WEB_FOLDER}
  COMMENT "Placing the web page beside the browser's module")
add_dependencies(dalvex_web dalvex_web_module)
install(DIRECTORY ${DALVEX_WEB_FOLDER}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/dalvex/web)
