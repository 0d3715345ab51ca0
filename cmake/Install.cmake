# Installs Varnel as a desktop program (cmake --install build --prefix P):
# the executable, the shipped data, the desktop entry, icons, metainfo and man page.
# Packaging.cmake builds the Debian package from the same rules.
include(GNUInstallDirs)

set(VARNEL_APP_ID "org.varnel.Varnel" CACHE STRING "The AppStream component id")
set(VARNEL_HOMEPAGE "https://example.org/varnel" CACHE STRING "The project's web address (metainfo, package)")
set(VARNEL_RELEASE_DATE "2026-12-07")
option(VARNEL_MAN_PAGE "Generate the man page with help2man" ON)

set(VARNEL_DATADIR ${CMAKE_INSTALL_DATADIR}/varnel)
# varnel hands the window, printing and the exports to varnel-gui, a helper
# program of the package.
set(VARNEL_LIBEXECDIR ${CMAKE_INSTALL_LIBEXECDIR}/varnel)
# Data and helper are found relative to the executable first, so that a moved
# prefix keeps working; the configured prefix is the fallback.
file(RELATIVE_PATH VARNEL_DATADIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/varnel)
file(RELATIVE_PATH VARNEL_DATADIR_FROM_LIBEXEC ${CMAKE_INSTALL_FULL_LIBEXECDIR}/varnel ${CMAKE_INSTALL_FULL_DATADIR}/varnel)
file(RELATIVE_PATH VARNEL_LIBEXECDIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/varnel)
target_compile_definitions(varnel_cli PRIVATE
  VARNEL_INSTALL_DATADIR="${CMAKE_INSTALL_FULL_DATADIR}/varnel"
  VARNEL_DATADIR_FROM_BIN="${VARNEL_DATADIR_FROM_BIN}"
  VARNEL_DATADIR_FROM_LIBEXEC="${VARNEL_DATADIR_FROM_LIBEXEC}"
  VARNEL_INSTALL_LIBEXECDIR="${CMAKE_INSTALL_FULL_LIBEXECDIR}/varnel"
  VARNEL_LIBEXECDIR_FROM_BIN="${VARNEL_LIBEXECDIR_FROM_BIN}")

install(TARGETS varnel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS varnel-gui RUNTIME DESTINATION ${VARNEL_LIBEXECDIR})
# Printing and the exports, opened by varnel-gui from its own folder.
install(TARGETS varnel-extras LIBRARY DESTINATION ${VARNEL_LIBEXECDIR})
# Every shipped file, sub-folders (pictures) included.
install(DIRECTORY data/ DESTINATION ${VARNEL_DATADIR})

install(FILES dist/varnel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY dist/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES dist/icons/varnel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# AppStream wants the installed file named after the component id.
configure_file(dist/varnel.metainfo.xml.in ${CMAKE_BINARY_DIR}/varnel.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/varnel.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME ${VARNEL_APP_ID}.metainfo.xml)

# The man page follows the command line's own --help, with the exit codes, files
# and environment added from dist/varnel.h2m.
if(VARNEL_MAN_PAGE)
  find_program(HELP2MAN help2man REQUIRED)
  find_program(GZIP gzip REQUIRED)
  set(VARNEL_MAN ${CMAKE_BINARY_DIR}/varnel.1)
  add_custom_command(OUTPUT ${VARNEL_MAN}.gz
    COMMAND ${HELP2MAN} --no-info --output=${VARNEL_MAN}
            --include=${CMAKE_SOURCE_DIR}/dist/varnel.h2m $<TARGET_FILE:varnel>
    COMMAND ${GZIP} -9nf ${VARNEL_MAN}
    DEPENDS varnel ${CMAKE_SOURCE_DIR}/dist/varnel.h2m
    COMMENT "Writing the man page")
  add_custom_target(varnel_man ALL DEPENDS ${VARNEL_MAN}.gz)
  install(FILES ${VARNEL_MAN}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)
