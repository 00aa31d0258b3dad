# The Debian package: `cpack -G DEB` in a Release build tree writes
# orbelle_<version>-1_<arch>.deb. The files are those of `cmake --install`,
# staged under /usr. Dependencies on shared libraries come from the binaries
# (dpkg-shlibdeps); the Japanese interface needs its font and opening the help
# page and the contact address needs xdg-open.
#
# The menu, the MIME and the icon caches are refreshed by the file triggers of
# desktop-file-utils, shared-mime-info and hicolor-icon-theme, which watch the
# folders the package installs into, so the package carries no maintainer
# scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbelle)
set(CPACK_PACKAGE_VENDOR "Orbelle developers")
set(CPACK_PACKAGE_CONTACT "Orbelle developers <packages@orbelle.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Staging through DESTDIR under /usr: the install step then knows it is not
# installing into the live system and leaves the MIME database alone.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw figures of chaotic dynamics")
# The long description; CPack indents its lines and marks the empty one as a
# paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orbelle draws clouds of dots produced by iterating one of 166 built-in
formulas. The formula's integer parameters, the pen width, the colours or a
colour gradient and a 3D rotation are set in panes beside the drawing; up to
499,501 dots are drawn on a 6000 x 6000 canvas. Drawings go into a history,
can be kept as favorites, saved as settings files, exported as BMP or JPEG
images and printed. The interface is in Japanese.

The package also holds orbelle-cli, which prints a formula's points or
renders a drawing to a PNG, BMP or JPEG file without a display.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orbelle.example/)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, xdg-utils")
# Control files and folders get the modes dpkg expects (0644 / 0755).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
