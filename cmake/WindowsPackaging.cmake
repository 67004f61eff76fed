# `make windows` (target windows_packages): the Windows programs with what they need beside them
# (Qt's DLLs and plugins, the MinGW runtime, Qt's own Portuguese, English and Spanish
# translations; the program's own are compiled into it), packed as vorlandex-<version>-win64.zip
# and as the installer vorlandex-<version>-win64-setup.exe (NSIS, resources/windows/installer.nsi),
# both in the build folder: scripts/windows-package.sh does the work.

# The programs, in the order the packages list them; the first (the window) is the one the Start
# menu and "Open with" start. Each gets the icon and a version resource; the window is a
# Windows program without a console (Qt's entry point gives it its WinMain).
set(VX_WINDOWS_PROGRAMS)
foreach(program_description
        "vorlandex|VORLANDEX Configurator|window"
        "vorlandex-send|VORLANDEX Configurator command-line sender|console"
        "vorlandex-printer|VORLANDEX virtual ticket printer|console")
  string(REPLACE "|" ";" program_description "${program_description}")
  list(GET program_description 0 program)
  list(GET program_description 1 description)
  list(GET program_description 2 kind)
  if(NOT TARGET ${program})
    message(FATAL_ERROR "Windows packages: the program ${program} is not built")
  endif()
  vorlandex_windows_resources(${program} "${description}")
  if(kind STREQUAL window)
    set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
  list(APPEND VX_WINDOWS_PROGRAMS ${program})
endforeach()

list(GET VX_WINDOWS_PROGRAMS 0 vx_main_program)

set(vx_package_name vorlandex-${PROJECT_VERSION}-win64)
set(vx_program_files)
foreach(program ${VX_WINDOWS_PROGRAMS})
  list(APPEND vx_program_files $<TARGET_FILE:${program}>)
endforeach()
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/${vx_package_name}-setup.exe ${CMAKE_BINARY_DIR}/${vx_package_name}.zip
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-package.sh
          --source ${PROJECT_SOURCE_DIR}
          --out ${CMAKE_BINARY_DIR}
          --version ${PROJECT_VERSION}
          --qt ${QT6_INSTALL_PREFIX}
          --icon ${VX_WINDOWS_ICON}
          --main $<TARGET_FILE_NAME:${vx_main_program}>
          ${vx_program_files}
  DEPENDS ${VX_WINDOWS_PROGRAMS} ${vx_program_files} ${VX_WINDOWS_ICON}
          ${PROJECT_SOURCE_DIR}/scripts/windows-package.sh
          ${PROJECT_SOURCE_DIR}/resources/windows/installer.nsi
          ${PROJECT_SOURCE_DIR}/resources/debian/copyright
  COMMENT "Packing the Windows programs: ${vx_package_name}.zip and ${vx_package_name}-setup.exe"
  VERBATIM)
add_custom_target(windows_packages
  DEPENDS ${CMAKE_BINARY_DIR}/${vx_package_name}-setup.exe ${CMAKE_BINARY_DIR}/${vx_package_name}.zip)
