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
499,501 dots are drawn on a 6000 x 6000 canvas. A density mode colours each
pixel by how many dots covered it. Drawings go into a history, can be kept as
favorites, saved as settings files, printed, and exported as PNG, JPEG or BMP
images at any size, scaled or drawn afresh at that size; PNG and JPEG images
carry the drawing's settings and open again as drawings. The interface is in
Japanese.

The package also holds orbelle-cli, which works without a display: it prints
a formula's points, renders a drawing to a PNG, JPEG or BMP image (render,
with --redraw to draw it afresh at up to 16000 pixels), and draws the frames
of an animation between two drawings (animate, optionally encoded to a video
with ffmpeg).")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orbelle.example/)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, xdg-utils")
# ffmpeg encodes the videos of orbelle-cli animate --video.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS ffmpeg)
# Control files and folders get the modes dpkg expects (0644 / 0755).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The documentation Debian asks of every package: the machine-readable
# copyright file, the upstream changelog (CHANGELOG.md) and the package's own
# changelog, both compressed as dpkg expects (gzip -9n: no name or time stamp
# inside).
set(ORBELLE_DEB_VERSION ${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
set(ORBELLE_DOC_DIR ${PROJECT_BINARY_DIR}/doc)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in
               ${ORBELLE_DOC_DIR}/changelog.Debian @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${ORBELLE_DOC_DIR}/changelog COPYONLY)
find_program(ORBELLE_GZIP gzip REQUIRED)
set(ORBELLE_DOC_CHANGELOGS)
foreach(changelog changelog changelog.Debian)
  add_custom_command(
    OUTPUT ${ORBELLE_DOC_DIR}/${changelog}.gz
    COMMAND ${ORBELLE_GZIP} -9 -n -k -f ${changelog}
    DEPENDS ${ORBELLE_DOC_DIR}/${changelog}
    WORKING_DIRECTORY ${ORBELLE_DOC_DIR}
    VERBATIM)
  list(APPEND ORBELLE_DOC_CHANGELOGS ${ORBELLE_DOC_DIR}/${changelog}.gz)
endforeach()
add_custom_target(orbelle_doc ALL DEPENDS ${ORBELLE_DOC_CHANGELOGS})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${ORBELLE_DOC_CHANGELOGS}
        DESTINATION share/doc/orbelle)
# The one lintian tag that does not apply to a package built outside the
# Debian archive, with its reason in the file.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME orbelle)

# strip leaves the compilers' .comment sections in the programs; they are
# removed from the staged copies before the package is made.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/strip-comments.cmake)
include(CPack)
