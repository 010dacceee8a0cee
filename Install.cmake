# What `cmake --install` and the Debian package put where. The demo finds
# its data in ../share/vorlune beside its program, so any prefix works.
# The pictures, the tune and the icon are installed beside their rule in
# tools/assets.
install(TARGETS vorlune vorlune-capture RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES dist/vorlune.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(dist/vorlune.6.in vorlune.6 @ONLY)
configure_file(dist/vorlune-capture.1.in vorlune-capture.1 @ONLY)
configure_file(dist/changelog changelog COPYONLY)
# Compressed without name or time stamp, as Debian wants them.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/vorlune.6.gz ${CMAKE_BINARY_DIR}/vorlune-capture.1.gz ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nkf vorlune.6 vorlune-capture.1 changelog
  DEPENDS ${CMAKE_BINARY_DIR}/vorlune.6 ${CMAKE_BINARY_DIR}/vorlune-capture.1 ${CMAKE_BINARY_DIR}/changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${CMAKE_BINARY_DIR}/vorlune.6.gz ${CMAKE_BINARY_DIR}/vorlune-capture.1.gz
                                    ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/vorlune.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/vorlune-capture.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md dist/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlune)

# `make package`: a .deb whose dependencies dpkg-shlibdeps reads off the
# binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlune)
set(CPACK_PACKAGE_VENDOR "The Vorlune developers")
set(CPACK_PACKAGE_CONTACT "Vorlune developers <maintainers@users.noreply.c-seed-d0a90e86.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "oldschool real-time audiovisual demo")
set(CPACK_PACKAGE_DESCRIPTION "Vorlune shows sixteen software-rendered effects to its own MP3 tune,
for about four minutes: pictures and fades, zooming and blurring words,
sliding doors, a cosine plasma, television snow, light blobs, raster bars
with a scroll text, greetings, and a switch-off line. It fills the desktop
or plays in a window. vorlune-capture plays it without a display into a
video, frames or screenshots.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A cross build's toolchain file names the target's; else this machine's.
if(NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS ffmpeg)
include(CPack)
