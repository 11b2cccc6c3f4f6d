# SPDX-License-Identifier: MIT
# The Debian package: cmake --build BUILD --target package (or cpack in BUILD) writes
# kelvara_VERSION_ARCH.deb, installing under /usr, with its library dependencies worked out
# from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kelvara authors")
set(CPACK_PACKAGE_CONTACT "Kelvara maintainers <maintainers@kelvara.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML gradient text, one coloured FONT element per character")
# Lines of at most 79 columns once the control file indents them by one.
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvara is a small tool for authors of Japanese web pages. Type a short
text, pick a first and a last colour (and optionally a middle one), and
Kelvara writes HTML gradient text: every character in its own FONT element
with its own colour. The window program previews the result in a browser
view and copies it to the clipboard; kelvara-gen does the same from the
command line.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kelvara.example.com/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no binary links but the program needs: the Japanese font its captions were laid out
# for and Qt's own Japanese strings; with the browser view, the browser engine's process.
set(kelvara_depends "fonts-ipafont-gothic")
if(KELVARA_BUILD_UI)
  string(APPEND kelvara_depends ", qt6-translations-l10n")
  if(KELVARA_WEBENGINE)
    string(APPEND kelvara_depends ", libqt6webenginecore6-bin")
  endif()
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${kelvara_depends}")

include(CPack)
