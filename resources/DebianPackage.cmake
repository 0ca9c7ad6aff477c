# make package (or cpack in a build directory): the Debian package of the
# installed layout under /usr, in one package, without the link in bin/. Its dependencies come from the libraries the
# program and its runtime link (dpkg-shlibdeps); x11-utils brings xmessage,
# which shows the start-up errors of a program started from the desktop.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL hangman)
set(CPACK_PACKAGE_NAME hangman)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Hangman developers <hangman@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-guessing game played on lists of your own words")
set(CPACK_PACKAGE_DESCRIPTION
    "Hangman keeps a list of words in its Word Selection window: add them one
at a time, remove them, sort them alphabetically or by length, and import or
export them as plain text files with one word per line.

Pick a word, or let the game draw one at random, and guess it one character
per turn against a pattern of underscores. Seven wrong guesses complete the
figure on the gallows.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS x11-utils)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
