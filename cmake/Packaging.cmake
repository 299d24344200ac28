# SPDX-License-Identifier: MIT
# The Debian package: scripts/package runs CPack with the DEB generator into
# build/kavalo_<version>_amd64.deb. Its dependencies are those dpkg-shlibdeps
# finds for the two programs, and the Japanese font without which every
# caption is an empty box.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavalo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Kavalo developers")
set(CPACK_PACKAGE_CONTACT ${KAVALO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare topographic maps of one region across eras")
# One string: separate arguments would be joined with ";".
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Kavalo shows the maps of one region as they were drawn in different periods.\n"
       "Pick an era and the same place stays on screen, so old and new maps are\n"
       "compared by stepping through the eras, side by side, with a swipe, a lens\n"
       "or blended. It draws elevation colours with relief shading, sheet lines and\n"
       "marks, reads out the position, elevation and map sheet under the cursor,\n"
       "exports views as HTML or KML and prints them. kavalo-cli does the same\n"
       "without a display, for dataset authors and scripts. A fictional sample\n"
       "region is included.")
set(CPACK_PACKAGE_FILE_NAME kavalo_${PROJECT_VERSION}_amd64)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KAVALO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# Qt's own buttons and dialogs in Japanese, like every caption of the program.
# MP4 films are encoded by the ffmpeg program; WebP and GIF films need nothing more.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, ffmpeg")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KAVALO_HOMEPAGE_URL})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
