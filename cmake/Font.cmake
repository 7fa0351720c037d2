# The menu face: Junicode Condensed Medium from Debian's fonts-junicode (OFL 1.1),
# copied beside the game as data/font/CELTICMD.ttf with its licence.
find_file(DRAKMOOR_FONT_SOURCE JunicodeTwoBeta-CondensedMedium.otf
          PATHS /usr/share/fonts/opentype/junicode /usr/share/fonts/truetype/junicode
          NO_DEFAULT_PATH REQUIRED)
set(DRAKMOOR_FONT_LICENCE /usr/share/doc/fonts-junicode/copyright)
set(font_output ${CMAKE_BINARY_DIR}/data/font/CELTICMD.ttf)
set(font_licence_output ${CMAKE_BINARY_DIR}/data/font/CELTICMD.copyright)

add_custom_command(
  OUTPUT ${font_output} ${font_licence_output}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data/font
  COMMAND ${CMAKE_COMMAND} -E copy ${DRAKMOOR_FONT_SOURCE} ${font_output}
  COMMAND ${CMAKE_COMMAND} -E copy ${DRAKMOOR_FONT_LICENCE} ${font_licence_output}
  DEPENDS ${DRAKMOOR_FONT_SOURCE}
  COMMENT "Copying the menu face into data/font"
  VERBATIM)
add_custom_target(drakmoor_font ALL DEPENDS ${font_output} ${font_licence_output})
