# Installing Drakmoor as Debian installs games: the executable in games/, its data
# in share/games/drakmoor/, and a desktop entry, an icon, AppStream metadata and
# a manual page where every program keeps them. A packager may choose other
# folders; the game finds its data from its own place with the folders given
# here, so a moved prefix still works. The player's files never go into the
# installation: the game keeps them in the player's home.
include(GNUInstallDirs)

set(DRAKMOOR_INSTALL_BINDIR games CACHE PATH "Where the executable goes, under the prefix")
set(DRAKMOOR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/drakmoor
    CACHE PATH "Where the game's pictures, terrain and menu face go, under the prefix")
set(DRAKMOOR_APP_ID org.drakmoor.Drakmoor)

# The data as the executable sees it: a path relative to the executable's folder,
# or the absolute one when either folder was given as absolute.
if(IS_ABSOLUTE "${DRAKMOOR_INSTALL_BINDIR}" OR IS_ABSOLUTE "${DRAKMOOR_INSTALL_DATADIR}")
  cmake_path(ABSOLUTE_PATH DRAKMOOR_INSTALL_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
             OUTPUT_VARIABLE data_seen_from_executable)
else()
  file(RELATIVE_PATH data_seen_from_executable "/prefix/${DRAKMOOR_INSTALL_BINDIR}"
       "/prefix/${DRAKMOOR_INSTALL_DATADIR}")
endif()
set_property(SOURCE platform/game_folders.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             DRAKMOOR_INSTALLED_DATA="${data_seen_from_executable}")

install(TARGETS drakmoor RUNTIME DESTINATION ${DRAKMOOR_INSTALL_BINDIR})
# What the build made, by name: a game played from the build folder writes the
# player's settings and hall of fame into data/ too, and those stay behind.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/art ${CMAKE_BINARY_DIR}/data/art@2x
                  ${CMAKE_BINARY_DIR}/data/art-fullscreen ${CMAKE_BINARY_DIR}/data/font
        DESTINATION ${DRAKMOOR_INSTALL_DATADIR})
install(FILES ${CMAKE_BINARY_DIR}/data/map.hm DESTINATION ${DRAKMOOR_INSTALL_DATADIR})

# The icon: the vector source as the scalable icon, and pictures at the sizes
# desktops look for first.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_source ${CMAKE_SOURCE_DIR}/art/icon/drakmoor.svg)
set(icon_theme ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(icon_pictures)
foreach(size 48 64 128 256)
  set(picture ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${DRAKMOOR_APP_ID}.png)
  add_custom_command(
    OUTPUT ${picture}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --format=png --width=${size} --height=${size} --output=${picture} ${icon_source}
    DEPENDS ${icon_source}
    COMMENT "Drawing the ${size} pixel icon"
    VERBATIM)
  list(APPEND icon_pictures ${picture})
  install(FILES ${picture} DESTINATION ${icon_theme}/${size}x${size}/apps)
endforeach()
add_custom_target(drakmoor_icon ALL DEPENDS ${icon_pictures})
install(FILES ${icon_source} DESTINATION ${icon_theme}/scalable/apps RENAME ${DRAKMOOR_APP_ID}.svg)

install(FILES ${CMAKE_SOURCE_DIR}/dist/${DRAKMOOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${DRAKMOOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the changelog, compressed as Debian wants them: at the
# highest level, without a name or a time in the header.
find_program(GZIP gzip REQUIRED)
set(compressed_documents)
foreach(document drakmoor.6 changelog)
  set(compressed ${CMAKE_BINARY_DIR}/dist/${document}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/${document} ${CMAKE_BINARY_DIR}/dist/${document}
    COMMAND ${GZIP} -9nf ${CMAKE_BINARY_DIR}/dist/${document}
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/${document}
    COMMENT "Compressing ${document}"
    VERBATIM)
  list(APPEND compressed_documents ${compressed})
endforeach()
add_custom_target(drakmoor_documents ALL DEPENDS ${compressed_documents})
install(FILES ${CMAKE_BINARY_DIR}/dist/drakmoor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/drakmoor)
