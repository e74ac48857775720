# The installation (bin/, lib/lumenbrook/, share/lumenbrook/ and the desktop's files) and the
# Debian package CPack makes of it (scripts/package).
include(GNUInstallDirs)
set(LUMENBROOK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lumenbrook)

install(TARGETS lumenbrook lumenbrook-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The modules, where the program looks for them from the executables (LUMENBROOK_MODULE_DIR).
install(TARGETS lumenbrook_photo lumenbrook_handheld LIBRARY DESTINATION ${LUMENBROOK_MODULE_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/Bin/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lumenbrook/Bin
        FILES_MATCHING PATTERN "*.bin")
install(DIRECTORY data/Skins data/Back DESTINATION ${CMAKE_INSTALL_DATADIR}/lumenbrook)
install(FILES data/help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/lumenbrook)

install(FILES packaging/org.example.lumenbrook.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/org.example.lumenbrook.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/lumenbrook-menu.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME lumenbrook.xml)
install(FILES packaging/icons/lumenbrook.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/lumenbrook-cli.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME lumenbrook-cli)
install(FILES packaging/copyright DESTINATION ${LUMENBROOK_DOC_DIR})

# The icon's PNG sizes and the compressed manual pages and changelog are made from the
# sources at build time.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)
set(PACKAGING_OUTPUTS)
foreach(size 16 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}/lumenbrook.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${CMAKE_SOURCE_DIR}/packaging/icons/lumenbrook.svg -o ${png}
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/icons/lumenbrook.svg)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND PACKAGING_OUTPUTS ${png})
endforeach()
foreach(page lumenbrook.1 lumenbrook-cli.1 changelog)
    set(gz ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/${page} > ${gz}
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${page})
    list(APPEND PACKAGING_OUTPUTS ${gz})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${PACKAGING_OUTPUTS})
install(FILES ${CMAKE_BINARY_DIR}/packaging/lumenbrook.1.gz ${CMAKE_BINARY_DIR}/packaging/lumenbrook-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${LUMENBROOK_DOC_DIR}
        RENAME changelog.Debian.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumenbrook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "The Lumenbrook project <lumenbrook@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "put pictures, texts and books on a Game Boy Advance")
set(CPACK_PACKAGE_DESCRIPTION "Lumenbrook builds one ROM image from a menu of pictures, texts, web pages\n\
and books under category headings, with a font, a skin and a language of\n\
your choice; a flash cartridge or an emulator runs it. A desktop program\n\
and a command line twin.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lumenbrook.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
include(CPack)
