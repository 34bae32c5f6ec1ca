# The Debian package (make package, or cpack -G DEB in the build folder): what the install rules
# put under the prefix, with the copyright file and changelog a Debian package carries and its
# dependencies found by dpkg-shlibdeps from the libraries the programs link.
set(KETTERBY_MAINTAINER "The Ketterby developers <developers@ketterby.org>")

# The copyright file in Debian's machine-readable format, its licence text taken from LICENSE:
# each line indented by one space, a blank line written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(FIND "${licence}" "Permission is hereby granted" grant)
string(SUBSTRING "${licence}" ${grant} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " KETTERBY_LICENCE " ${licence}")
configure_file(data/copyright.in copyright @ONLY)

string(TIMESTAMP KETTERBY_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(data/changelog.in changelog @ONLY)
add_custom_command(OUTPUT changelog.gz DEPENDS ${PROJECT_BINARY_DIR}/changelog
    COMMAND gzip -9nc changelog > changelog.gz VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ketterby)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ketterby)
set(CPACK_PACKAGE_VENDOR "The Ketterby developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop password manager with encrypted local stores")
set(CPACK_PACKAGE_DESCRIPTION
    "Ketterby keeps one person's passwords on their own computer. Each account is\n"
    "one SQLCipher store file, keyed with Argon2id, holding named tables of entries\n"
    "(a date, a description, a user ID and a password). A generator makes random\n"
    "passwords, a copied password leaves the clipboard after 30 seconds, and a\n"
    "backup copy is kept beside each store. There is no network access, no settings\n"
    "file and no cloud.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KETTERBY_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KETTERBY_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help > Contents opens the help page through xdg-open; without it the program names the page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
