# The installed layout (Debian's games layout): the programs live beside
# their art, sounds and questions in one private folder, read-only once
# installed; the commands on the PATH are relative links into it. Desktop
# entries, application descriptions, icons and man pages go where the
# desktop looks for them.
include(GNUInstallDirs)
set(PAV_INSTALL_GAMESDIR "games" CACHE STRING "Commands, relative to the prefix")
set(PAV_INSTALL_PKGDIR "lib/games/pavlora" CACHE STRING "Programs and their files, relative to the prefix")
set(PAV_FULL_GAMESDIR "${CMAKE_INSTALL_PREFIX}/${PAV_INSTALL_GAMESDIR}")
set(PAV_FULL_PKGDIR "${CMAKE_INSTALL_PREFIX}/${PAV_INSTALL_PKGDIR}")
set(PAV_RELEASE_DATE "2026-12-07")

set(desktop_out "${CMAKE_BINARY_DIR}/desktop")
foreach(program pavlora verimoo)
  configure_file(${PROJECT_SOURCE_DIR}/desktop/${program}.desktop.in ${desktop_out}/${program}.desktop @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/desktop/${program}.metainfo.xml.in ${desktop_out}/${program}.metainfo.xml @ONLY)
endforeach()
foreach(program pavlora verimoo verimoo-check)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${program}.6.in ${desktop_out}/${program}.6 @ONLY)
endforeach()

# The tree as the build lays it out, without the programs (installed as
# targets below) and without anything a player's run may have written.
string(REGEX REPLACE "([][+.*?()^$|\\])" "\\\\\\1" dist_pattern "${PAV_DIST_DIR}")
install(DIRECTORY "${PAV_DIST_DIR}/" DESTINATION ${PAV_INSTALL_PKGDIR}
  REGEX "^${dist_pattern}/(Pavlora|Verimoo/Verimoo|Verimoo/verimoo-check)$" EXCLUDE
  REGEX "^${dist_pattern}/(.*/)?(options\\.ini|hiscore\\.dat|[^/]*\\.tmp)$" EXCLUDE)
install(TARGETS Pavlora DESTINATION ${PAV_INSTALL_PKGDIR})
install(TARGETS Verimoo verimoo-check DESTINATION ${PAV_INSTALL_PKGDIR}/Verimoo)
# The mark by which the programs know they run from an installed tree and
# keep the player's files in the player's own data folder.
file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/pavlora.installed" CONTENT "")
install(FILES "${CMAKE_BINARY_DIR}/pavlora.installed" DESTINATION ${PAV_INSTALL_PKGDIR})

foreach(link "pavlora=Pavlora" "verimoo=Verimoo/Verimoo" "verimoo-check=Verimoo/verimoo-check")
  string(REPLACE "=" ";" link "${link}")
  list(GET link 0 command)
  list(GET link 1 target)
  # The same link under any prefix, so it is worked out between the relative folders.
  file(RELATIVE_PATH relative "/${PAV_INSTALL_GAMESDIR}" "/${PAV_INSTALL_PKGDIR}/${target}")
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PAV_INSTALL_GAMESDIR}/${command}\")
    get_filename_component(folder \"\${link}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${folder}\")
    message(STATUS \"Installing: \${link} -> ${relative}\")
    file(CREATE_LINK \"${relative}\" \"\${link}\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")")
endforeach()

install(FILES ${desktop_out}/pavlora.desktop RENAME ${PAV_LAUNCHER_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_out}/verimoo.desktop RENAME ${PAV_QUIZ_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_out}/pavlora.metainfo.xml RENAME ${PAV_LAUNCHER_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_out}/verimoo.metainfo.xml RENAME ${PAV_QUIZ_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_out}/pavlora.6 ${desktop_out}/verimoo.6 ${desktop_out}/verimoo-check.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(DIRECTORY "${PAV_ICON_DIR}/hicolor" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
