# Installation: the programs in bin; their own files in share/keyweave, where
# the programs look for them beside ../share; the udev rule, desktop entry,
# icons and AppStream metainfo where the system and the desktop find them.
# `cpack` turns the same rules into a Debian package (scripts/package).

include(GNUInstallDirs)
set(KEYWEAVE_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/keyweave)
set(KEYWEAVE_APP_ID org.example.keyweave.Keyweave)

foreach(program keyweave keyweave-cli keyweave-simkbd)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

install(FILES assets/Lang0409.ini assets/Lang0416.ini assets/70-keyweave.rules
        DESTINATION ${KEYWEAVE_INSTALL_DATA})
install(DIRECTORY assets/Help assets/Package DESTINATION ${KEYWEAVE_INSTALL_DATA})
if(KEYWEAVE_BUILD_GUI)
    # The skin is drawn at build time; it holds the default user lighting file too.
    install(DIRECTORY ${KEYWEAVE_OUTPUT_DIR}/Skins DESTINATION ${KEYWEAVE_INSTALL_DATA})
    install(DIRECTORY ${KEYWEAVE_ICONS_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
    install(FILES assets/${KEYWEAVE_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES assets/${KEYWEAVE_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
else()
    install(FILES assets/Skins/UserDengColor_3.userd DESTINATION ${KEYWEAVE_INSTALL_DATA}/Skins)
endif()
# Read by udev under /usr/lib as well as /lib; the rule's number keeps it
# before the rule that acts on "uaccess".
install(FILES assets/70-keyweave.rules DESTINATION lib/udev/rules.d)

# The package's documentation: its copyright, its changelog and the manual
# pages, compressed without a time stamp so that every build gives the same bytes.
set(KEYWEAVE_DEBIAN ${PROJECT_SOURCE_DIR}/cmake/debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KEYWEAVE_DEBIAN}/changelog)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/debian)
execute_process(COMMAND gzip -9nc ${KEYWEAVE_DEBIAN}/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${KEYWEAVE_DEBIAN}/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keyweave)
foreach(page keyweave keyweave-cli keyweave-simkbd)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${PROJECT_SOURCE_DIR}/assets/man/${page}.1)
    execute_process(COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/assets/man/${page}.1
                    OUTPUT_FILE ${CMAKE_BINARY_DIR}/debian/${page}.1.gz)
    install(FILES ${CMAKE_BINARY_DIR}/debian/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keyweave)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Keyweave developers <developers@keyweave.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for a USB gaming keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Keyweave configures a USB gaming keyboard with per-key RGB lighting, three
on-board profiles, nine G-keys and a macro memory: key functions, macros
recorded and edited, lighting effects with a live preview, per-key colours,
report rate, profile files and the firmware-update hand-off. It comes with a
command line tool and a simulated keyboard to try it without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Fonts the window draws its captions with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fuse3")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${KEYWEAVE_DEBIAN}/postinst ${KEYWEAVE_DEBIAN}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

if(KEYWEAVE_BUILD_TESTS AND KEYWEAVE_BUILD_GUI)
    add_test(NAME install_into_prefix
             COMMAND ${PROJECT_SOURCE_DIR}/cmake/install_test.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(install_into_prefix PROPERTIES TIMEOUT 120
                         ENVIRONMENT "${KEYWEAVE_TEST_ENV}")
endif()
