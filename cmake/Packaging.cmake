# Installation and the Debian package (scripts/package.sh): the program, selvirhs-tool and selvirhs-sim
# in bin/, a desktop entry and its icon. The settings file then lives in the user's configuration
# folder, since bin/ is not writable.
include(GNUInstallDirs)

foreach(program SelvirHS selvirhs-tool selvirhs-sim)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/selvirhs.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/selvirhs.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selvirhs)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "SelvirHS developers <selvirhs@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hydrographic survey with a single-beam echosounder and a GNSS receiver")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads a GNSS receiver and an echosounder on serial ports, shows the vessel, tracklines and depths\n"
    "live on its own CAD canvas in the survey's local grid, reduces every depth and writes the survey\n"
    "file. With selvirhs-tool (the same engine on the command line) and selvirhs-sim (a simulated\n"
    "receiver and echosounder on pseudo-terminals).")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The shared libraries the binaries link, found by dpkg-shlibdeps; what Qt loads at run time is named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, proj-data")
set(CPACK_PACKAGE_INSTALL_DIRECTORY selvirhs)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
