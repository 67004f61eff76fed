# The Windows build's own parts, cross-built on Debian with MinGW-w64 and run under Wine:
# GoogleTest built for Windows from Debian's sources; the tests run by ctest through
# `scripts/wine-lib.sh run` (WINEPREFIX: a prefix made by its wine_make_prefix); the programs'
# icon and version resources (vorlandex_windows_resources). Included by the top-level
# CMakeLists.txt after Qt is found.

set(VORLANDEX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VORLANDEX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every test program runs under Wine with Qt's DLLs on its path; Qt finds its plugins beside them.
set(VX_QT_WINDOWS_BIN ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-lib.sh run --path ${VX_QT_WINDOWS_BIN})

# The icon, rendered from the scalable one at the sizes Windows shows (Explorer, the taskbar,
# the Start menu, the installer), with rsvg-convert (librsvg2-bin) and ImageMagick.
find_program(VX_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VX_IMAGEMAGICK_CONVERT convert REQUIRED)
set(VX_WINDOWS_ICON ${CMAKE_BINARY_DIR}/resources/windows/vorlandex.ico)
set(vx_icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/vorlandex.svg)
set(vx_icon_pngs)
set(vx_icon_commands)
foreach(size 16 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/resources/windows/vorlandex-${size}.png)
  list(APPEND vx_icon_pngs ${png})
  list(APPEND vx_icon_commands COMMAND ${VX_RSVG_CONVERT} -w ${size} -h ${size} ${vx_icon_svg} -o ${png})
endforeach()
add_custom_command(OUTPUT ${VX_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources/windows
  ${vx_icon_commands}
  COMMAND ${VX_IMAGEMAGICK_CONVERT} ${vx_icon_pngs} ${VX_WINDOWS_ICON}
  DEPENDS ${vx_icon_svg}
  COMMENT "Rendering the Windows icon vorlandex.ico"
  VERBATIM)
add_custom_target(vx_windows_icon DEPENDS ${VX_WINDOWS_ICON})

# vorlandex_windows_resources(<target> <description>): gives a program the icon and a version
# resource (what Explorer shows under Properties > Details).
function(vorlandex_windows_resources target description)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(VX_RC_DESCRIPTION "${description}")
  set(VX_RC_FILE_NAME "${name}.exe")
  set(VX_RC_INTERNAL_NAME "${name}")
  set(VX_RC_ICON "${VX_WINDOWS_ICON}")
  set(rc ${CMAKE_BINARY_DIR}/resources/windows/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${VX_WINDOWS_ICON})
  add_dependencies(${target} vx_windows_icon)
endfunction()
