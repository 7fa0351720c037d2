# Installing Drakmoor like any Linux game: the executable in bin/, its data in
# share/drakmoor/ (the game finds it from its own place as ../share/drakmoor, so
# a moved prefix still works), and a desktop entry, an icon and AppStream
# metadata under one application id. The player's files never go into the
# installation: the game keeps them in the player's home.
include(GNUInstallDirs)

set(DRAKMOOR_APP_ID org.drakmoor.Drakmoor)
set(DRAKMOOR_INSTALLED_DATA ${CMAKE_INSTALL_DATADIR}/drakmoor)

install(TARGETS drakmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# What the build made, by name: a game played from the build folder writes the
# player's settings and hall of fame into data/ too, and those stay behind.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/art ${CMAKE_BINARY_DIR}/data/art@2x
                  ${CMAKE_BINARY_DIR}/data/art-fullscreen ${CMAKE_BINARY_DIR}/data/font
        DESTINATION ${DRAKMOOR_INSTALLED_DATA})
install(FILES ${CMAKE_BINARY_DIR}/data/map.hm DESTINATION ${DRAKMOOR_INSTALLED_DATA})

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
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/drakmoor)
