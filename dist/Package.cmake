# The Debian package: cpack -G DEB in a build configured with -DCMAKE_INSTALL_PREFIX=/usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeichenfang)
set(CPACK_PACKAGE_CONTACT "Zeichenfang-Entwickler <entwickler@zeichenfang.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "German word-guessing game")
set(CPACK_PACKAGE_DESCRIPTION "Zeichenfang is a word-guessing game for one player, in German. Choose a word
length of 4, 6, 8, 10 or 12 letters and the game shows a hidden word as a row
of dots. Every letter typed reveals all of its places in the word and counts
as an attempt; the whole word may be guessed at any time, and a hint reveals
the first letter. Short sound cues answer hits, misses and solved words.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
