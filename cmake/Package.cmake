# What a Linux system needs beside the programs, and the Debian package that holds it all:
# `make package` runs cpack -G DEB in the build of the package preset, `make package-check`
# checks the result (scripts/check-package.sh). The version is the project's, set once above.

# The release's date: that of the last commit, so the same sources give the same package.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_failed)
  if(NOT git_failed AND commit_time)
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()
string(TIMESTAMP RASTRIX_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP RASTRIX_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)

set(RASTRIX_MAINTAINER "Rastrix maintainers <maintainers@users.noreply.c-seed-e7255773.example>")
# AppStream names the program by a reversed domain name; it is the metainfo file's name too.
set(RASTRIX_APPSTREAM_ID org.example.rastrix)

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(packaged ${CMAKE_BINARY_DIR}/packaging)
if(RASTRIX_BUILD_GUI)
  configure_file(${CMAKE_SOURCE_DIR}/resources/rastrix.metainfo.xml.in
                 ${packaged}/${RASTRIX_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${packaged}/${RASTRIX_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
endif()

# /usr/share/doc/rastrix: the copyright file and the changelog, compressed as Debian wants.
configure_file(${packaging}/changelog.in ${packaged}/changelog @ONLY)
add_custom_command(OUTPUT ${packaged}/changelog.gz
  COMMAND gzip -9nfk ${packaged}/changelog
  DEPENDS ${packaged}/changelog)
add_custom_target(rastrix_changelog ALL DEPENDS ${packaged}/changelog.gz)
install(FILES ${packaging}/copyright ${packaged}/changelog.gz DESTINATION share/doc/rastrix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rastrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Rastrix developers")
set(CPACK_PACKAGE_CONTACT ${RASTRIX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small, fast editor for BMP images and device pictures")
# The long description, one paragraph; CPack indents it as the control file wants.
set(CPACK_PACKAGE_DESCRIPTION
"Rastrix opens BMP files of every common kind and PNG and JPEG pictures
(photos turned upright), and lets you crop, copy, paste, rotate, flip,
shift or fill a marked rectangle, rounded rectangle, ellipse or line. It
finds the plain border round a scanned photograph, joins up to four files,
scales images, reduces them to a palette (black and white, greys, e-paper
inks, an optimised palette or a palette file) with or without dithering,
and saves BMP files of 1, 4, 8, 16, 24 or 32 bits. For small displays it
writes C arrays, raw buffers, XBM and LVGL images in the layouts their
libraries take. rastrix-batch does all of this on many files without a
window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # rastrix_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Depends from the libraries the programs link
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
