# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What `cmake --install` puts where, and the files generated for it. Paths
# follow GNUInstallDirs; the programs find their data relative to their own
# folder, so an install under any prefix works.
include(GNUInstallDirs)

# The name the desktop knows the program by (desktop entry, icon, metainfo).
# It lies under the project's own example domain: the .example top-level
# domain is reserved and can never be registered, so no one else can own it.
set(WR_APP_ID example.wayrunner.track)
set(WR_UDEV_RULE 60-wayrunner-track.rules)
# Relative to the prefix: /usr/lib/udev/rules.d for a package. The libdir of
# GNUInstallDirs would add the multiarch triplet, which udev does not read.
set(WR_UDEV_RULES_DIR lib/udev/rules.d CACHE STRING "udev rules folder, relative to the install prefix")

set(wr_pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(wr_gen ${CMAKE_CURRENT_BINARY_DIR}/packaging)

file(RELATIVE_PATH WR_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/wayrunner-track)
file(RELATIVE_PATH WR_RULES_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${WR_UDEV_RULES_DIR})
configure_file(cmake/install_layout.h.in ${CMAKE_CURRENT_BINARY_DIR}/generated/install_layout.h @ONLY)

# The udev rule and the metainfo's modalias lines come from the program's own
# list of USB identifiers, read by a small program built from the same header.
add_executable(wr_usb_id_files packaging/usb_id_files.cpp)
target_include_directories(wr_usb_id_files PRIVATE src/core)
configure_file(${wr_pkg}/${WR_APP_ID}.metainfo.xml.in ${wr_gen}/metainfo.xml.in @ONLY)
add_custom_command(
  OUTPUT ${wr_gen}/${WR_UDEV_RULE}
  COMMAND wr_usb_id_files udev-rule ${wr_gen}/${WR_UDEV_RULE}
  DEPENDS wr_usb_id_files
  COMMENT "Generating the udev rule from the USB identifiers"
  VERBATIM)
add_custom_command(
  OUTPUT ${wr_gen}/${WR_APP_ID}.metainfo.xml
  COMMAND wr_usb_id_files metainfo ${wr_gen}/metainfo.xml.in ${wr_gen}/${WR_APP_ID}.metainfo.xml
  DEPENDS wr_usb_id_files ${wr_gen}/metainfo.xml.in
  COMMENT "Generating the AppStream metainfo with the USB identifiers"
  VERBATIM)
set(wr_generated ${wr_gen}/${WR_UDEV_RULE} ${wr_gen}/${WR_APP_ID}.metainfo.xml)

# Man pages are installed compressed, as Debian's policy wants them. Other
# programs of the project use this too.
function(wr_man_page source section)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  configure_file(${source} ${wr_gen}/${name} @ONLY)
  add_custom_command(
    OUTPUT ${wr_gen}/${name}.gz
    COMMAND gzip -9nkf ${wr_gen}/${name}
    DEPENDS ${wr_gen}/${name}
    VERBATIM)
  set(wr_generated ${wr_generated} ${wr_gen}/${name}.gz PARENT_SCOPE)
  install(FILES ${wr_gen}/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
wr_man_page(${wr_pkg}/wayrunner-track.1.in 1)

if(WR_DEBIAN_DOCS)
  set(WR_MAINTAINER "Wayrunner Track developers <maintainers@wayrunner.example>")
  # Debian's changelog wants the RFC 2822 form of the release date.
  execute_process(COMMAND date -u -R -d "${WR_RELEASE_DATE} 00:00"
                  OUTPUT_VARIABLE WR_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  configure_file(${wr_pkg}/changelog.in ${wr_gen}/changelog @ONLY)
  add_custom_command(
    OUTPUT ${wr_gen}/changelog.gz
    COMMAND gzip -9nkf ${wr_gen}/changelog
    DEPENDS ${wr_gen}/changelog
    VERBATIM)
  list(APPEND wr_generated ${wr_gen}/changelog.gz)
  # Named after the package, not the CMake project, as Debian wants.
  install(FILES ${wr_pkg}/copyright ${wr_gen}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/wayrunner-track)
endif()

# An upgrade file for the built-in simulated unit, to try an upgrade without
# hardware: its image carries the mark the simulated unit reads its new
# version from (see SimulatedUnit::ImageVersion).
set(WR_SIM_UPGRADE_VERSION 1.004)
set(WR_SIM_UPGRADE_FILE simulated-unit-${WR_SIM_UPGRADE_VERSION}.fw)
add_executable(wr_sim_upgrade_file packaging/sim_upgrade_file.cpp)
target_link_libraries(wr_sim_upgrade_file PRIVATE wayrunner_core)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/examples/${WR_SIM_UPGRADE_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/examples
  COMMAND wr_sim_upgrade_file ${WR_SIM_UPGRADE_VERSION} 16384
          ${CMAKE_CURRENT_BINARY_DIR}/examples/${WR_SIM_UPGRADE_FILE}
  DEPENDS wr_sim_upgrade_file
  COMMENT "Upgrade file for the simulated unit"
  VERBATIM)
list(APPEND wr_generated ${CMAKE_CURRENT_BINARY_DIR}/examples/${WR_SIM_UPGRADE_FILE})

add_custom_target(wr_packaging_files ALL DEPENDS ${wr_generated})

# The operator presets beside the program in the build folder too, where the
# Network Wizard looks for them, so the program finds them when run from
# there (scripts/run.sh).
configure_file(${wr_pkg}/Settings.ini ${CMAKE_CURRENT_BINARY_DIR}/Settings.ini COPYONLY)

# ---------------------------------------------------------------- install
install(TARGETS wayrunner-track RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command-line tool, in builds that have it: its manual page is made
# from its --help by help2man, gzipped as the other is.
if(TARGET wayrunner-cli)
  install(TARGETS wayrunner-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The JSON Schemas of its --json output, which its manual page lists.
  install(DIRECTORY ${wr_pkg}/schemas/ DESTINATION ${CMAKE_INSTALL_DATADIR}/wayrunner-track/schemas
          FILES_MATCHING PATTERN "*.schema.json")
  find_program(HELP2MAN help2man)
  if(HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
    add_custom_command(
      OUTPUT ${wr_gen}/wayrunner-cli.1.gz
      COMMAND ${HELP2MAN} --no-info --section=1 --source=${PROJECT_NAME}
              "--name=configure, watch and provision vehicle tracking units"
              --include=${wr_pkg}/wayrunner-cli.h2m
              --output=${wr_gen}/wayrunner-cli.1 $<TARGET_FILE:wayrunner-cli>
      COMMAND gzip -9nkf ${wr_gen}/wayrunner-cli.1
      DEPENDS wayrunner-cli ${wr_pkg}/wayrunner-cli.h2m
      COMMENT "Manual page of wayrunner-cli")
    add_custom_target(wayrunner-cli-man ALL DEPENDS ${wr_gen}/wayrunner-cli.1.gz)
    install(FILES ${wr_gen}/wayrunner-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(STATUS "help2man not found: no manual page for wayrunner-cli (scripts/setup.sh installs it)")
  endif()
  install(FILES ${wr_pkg}/wayrunner-cli.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME wayrunner-cli)
endif()

install(FILES ${wr_pkg}/${WR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${wr_gen}/${WR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 128 256)
  install(FILES ${wr_pkg}/icons/wayrunner-track-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${WR_APP_ID}.png)
endforeach()
install(FILES ${wr_pkg}/icons/wayrunner-track.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${WR_APP_ID}.svg)
install(FILES ${wr_gen}/${WR_UDEV_RULE} DESTINATION ${WR_UDEV_RULES_DIR})
install(FILES ${wr_pkg}/Settings.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/wayrunner-track)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/examples/${WR_SIM_UPGRADE_FILE}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/wayrunner-track/examples)
install(FILES ${wr_pkg}/wayrunner-track.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME wayrunner-track)

# Everything `cmake --install` copies: the programs and the generated files.
# A build of chosen targets (scripts/run.sh) builds this one to be installable.
add_custom_target(installable)
add_dependencies(installable wayrunner-track wr_packaging_files)
foreach(optional wayrunner-cli wayrunner-cli-man)
  if(TARGET ${optional})
    add_dependencies(installable ${optional})
  endif()
endforeach()

# ---------------------------------------------------------------- package
# The Debian package that scripts/package.sh builds. No maintainer scripts:
# udev, the desktop database, the icon cache and the man-page index pick the
# files up by their triggers.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wayrunner-track)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Wayrunner Track developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure and watch a vehicle tracking unit attached by USB")
# One string (not a list); lines stay under 80 characters, and CPack indents
# them and marks the empty one as a control file wants.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Wayrunner Track finds a vehicle tracking unit on USB and shows its live\n"
    "status: mobile network and signal, satellite fix and position, speed and\n"
    "supply voltages. It reads and writes the unit's settings, lists the trips\n"
    "it logged with place names, exports trips to a spreadsheet, switches the\n"
    "unit's outputs, reboots, resets and upgrades it, and can be tried without\n"
    "hardware against a built-in simulated unit.\n"
    "\n"
    "The package lets the user at the desktop open the unit without root rights.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Wayrunner Track developers <maintainers@wayrunner.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://wayrunner.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opens map positions and exported spreadsheets in the desktop's programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
