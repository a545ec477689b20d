# What our executables carry on Windows besides their code. Nothing elsewhere.

# The icons, the version shown in the file's properties and the manifest (packaging/windows/dalvex.rc.in).
function(dalvex_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(DALVEX_FILE_NAME ${target})
  set(DALVEX_FILE_DESCRIPTION "${description}")
  set(DALVEX_WINDOWS_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/windows)
  configure_file(${DALVEX_WINDOWS_PACKAGING}/dalvex.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()

# A static Qt (the Windows build) links into an executable its default plugins (the windows platform and style,
# the JPEG, GIF and ICO readers) and the ones named: the offscreen platform lets the tests and the check of
# the installed program run without a display.
function(dalvex_offscreen_platform target)
  get_target_property(qt_kind Qt6::Core TYPE)
  if(qt_kind STREQUAL "STATIC_LIBRARY")
    qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
endfunction()
