# Installation and packages: `cmake --install`, and `cpack` for a .deb (Linux) or a .zip
# (Windows).
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME dicefeeder)
set(CPACK_PACKAGE_VENDOR "the dicefeeder developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "enters prepared dice rolls into GNU Backgammon's dice dialog")
set(CPACK_PACKAGE_CONTACT "dicefeeder maintainers <maintainers@users.noreply.c-seed-ac87d441.example>")

if(WIN32)
  # One folder: the program, the README as text, and an example dice file beside it, where
  # the program looks for it when started from Explorer.
  install(TARGETS dicefeeder RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION . RENAME README.txt)
  install(FILES docs/dicefile.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  install(TARGETS dicefeeder RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Man pages and the changelog are installed compressed, as Debian has them.
  set(gzipped ${CMAKE_BINARY_DIR}/gzipped)
  foreach(file dicefeeder.1 changelog)
    add_custom_command(
      OUTPUT ${gzipped}/${file}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${gzipped}
      COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/docs/${file} > ${gzipped}/${file}.gz
      DEPENDS docs/${file})
  endforeach()
  add_custom_target(gzipped_docs ALL DEPENDS ${gzipped}/dicefeeder.1.gz ${gzipped}/changelog.gz)
  install(FILES ${gzipped}/dicefeeder.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES docs/copyright ${gzipped}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/dicefeeder)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # libc6, libx11-6, libxtst6, libx11-xcb1, libxcb1
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Once a second dicefeeder looks for the window titled GNU Backgammon - Dice.\n\
Each time it finds it, it takes the next number of dicefile.txt in its working\n\
directory, prints the roll, clicks the dialog's point for the roll and puts\n\
the pointer back.")
endif()
include(CPack)
