# The Debian package of both programs (make package): CPack's DEB generator,
# installing into /usr. dpkg-shlibdeps computes the Depends line from the
# libraries the programs link, so it names the runtime packages and no more.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvine)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvine developers")
set(CPACK_PACKAGE_CONTACT "The Tarvine developers <tarvine@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "renumber the pictures of a directory in the order you see them")
# The long description in lines of at most 80 columns; an empty line parts
# two paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [[
Tarvine renumbers the files of one kind in one directory: holiday photos,
camera dumps, timelapse frames. Name one file; every file of its kind in the
directory gets a prefix, a zero-padded number and a suffix, in the order a
file manager shows them. Taken names are skipped and nothing is ever
overwritten. On request it keeps a log of the renames, which can be taken
back, and writes a browser slideshow of the pictures.

The package holds the window, tarvine, and the command line, tarvine-renumber.
]])
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/tarvine/tarvine")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tarvine_VERSION_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
