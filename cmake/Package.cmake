# The Debian package: `cpack -G DEB` in the build folder makes
# drakmoor_<version>_amd64.deb from the install rules, installed under /usr
# (so the game is /usr/games/drakmoor), with its library dependencies worked out
# by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME drakmoor)
set(CPACK_PACKAGE_VENDOR "The Drakmoor team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guard your gold as a fire-breathing dragon")
# Wrapped as Debian wants it; CPack indents each line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "You are the dragon of Drakmoor, and the kingdom wants the gold in your"
       "lair: archers and wizards march from the village, heroes leap and throw"
       "their swords, and zeppelins drop more archers from the sky. Fly, breathe"
       "fire, hurl fireballs, snatch attackers and eat them or drop them on their"
       "friends, and collect the coins the fallen leave behind. Your score is the"
       "gold in the lair times the seconds you survived; the ten best make the"
       "hall of fame.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Drakmoor team <team@drakmoor.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
