# Installs Tarvel like a desktop program and describes the Debian package CPack builds.
include(GNUInstallDirs)

install(TARGETS tarvel zelvar-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command-line tool beside the program, where it is built.
if(TARGET tarvel-cli)
    install(TARGETS tarvel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarvel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the copyright and, for a native package, changelog.gz (compressed with -9n, so
# the same source gives the same bytes) in /usr/share/doc/<package>.
set(TARVEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvel)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${TARVEL_DOC_DIR})
find_program(TARVEL_GZIP gzip)
if(TARVEL_GZIP)
    set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${changelog} @ONLY)
    execute_process(COMMAND ${TARVEL_GZIP} -9nf ${changelog} COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${changelog}.gz DESTINATION ${TARVEL_DOC_DIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarvel maintainers <maintainers@users.noreply.c-seed-2d3bd3ae.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Plans multi-projector walls and configures Zelvar edge-blending processors")
# The long description, lines of at most 80 characters; CPack puts the summary above it.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvel works out the aspect ratio, overlap, input image size and number of"
    "units a projector wall needs, finds the Zelvar units on the serial ports"
    "(directly or through a Prendel controller), reads their state and sends every"
    "adjustment: test patterns, input position, phase and colour balance, edge"
    "feathering, black level and seam gains. Configurations are saved to files and"
    "sent again. tarvel-cli backs up, restores, shows and compares configurations"
    "from scripts, without a display. The simulator zelvar-sim plays the units"
    "when no hardware is at hand.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The user package holds stripped programs; the debug information stays in the build.
set(CPACK_STRIP_FILES ON)
# Dependencies are worked out from the installed binaries with dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugins at run time, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
