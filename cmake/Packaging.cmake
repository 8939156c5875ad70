# Installs Plinth like any desktop program and packs it with CPack: a .deb
# on Linux, a zip on Windows. `cpack` in a release build folder makes the
# package; scripts/package.sh makes both.
#
# The keyboard reads the bundled layouts and word lists from the directory
# of its real path, so the program and they always go into one folder: /usr/lib/plinth
# on Linux, with /usr/bin/plinth a link to it, and the top of the zip on
# Windows. On Linux a user's own layouts in ~/.config/plinth/ come first.

# The keyboard program: `plinth` here, possibly spelt `Plinth` on Windows.
set(PLINTH_GUI_TARGET "")
foreach(name plinth Plinth)
  if(TARGET ${name})
    set(PLINTH_GUI_TARGET ${name})
    break()
  endif()
endforeach()
if(PLINTH_GUI_TARGET STREQUAL "")
  return()  # no keyboard in this build (PLINTH_BUILD_GUI off): nothing to pack
endif()

set(PLINTH_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(PLINTH_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${PLINTH_PACKAGING_OUT})

# Only what is installed here goes into the package, whatever other folders
# install for their own use.
set(PLINTH_COMPONENT plinth)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_NAME plinth)
set(CPACK_PACKAGE_VENDOR "The Plinth developers")
set(CPACK_PACKAGE_CONTACT "Plinth developers <plinth@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "on-screen keyboard for typing with the mouse alone")
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};${PLINTH_COMPONENT};/")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  # Plinth.exe, the layouts and README.txt side by side in one folder.
  install(TARGETS ${PLINTH_GUI_TARGET} RUNTIME DESTINATION . COMPONENT ${PLINTH_COMPONENT})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/layouts/ DESTINATION . COMPONENT ${PLINTH_COMPONENT}
          FILES_MATCHING PATTERN "*.ini")
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/words/ DESTINATION . COMPONENT ${PLINTH_COMPONENT}
          FILES_MATCHING PATTERN "*.words")
  configure_file(${PLINTH_PACKAGING_DIR}/README.txt ${PLINTH_PACKAGING_OUT}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  # The licence, and the copyright file that names it, as Windows text files.
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PLINTH_PACKAGING_OUT}/LICENSE.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PLINTH_PACKAGING_DIR}/copyright ${PLINTH_PACKAGING_OUT}/COPYRIGHT.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PLINTH_PACKAGING_OUT}/README.txt ${PROJECT_SOURCE_DIR}/docs/layouts.md
                ${PLINTH_PACKAGING_OUT}/LICENSE.txt ${PLINTH_PACKAGING_OUT}/COPYRIGHT.txt
          DESTINATION . COMPONENT ${PLINTH_COMPONENT})

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Plinth-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
  return()
endif()

# ---------------------------------------------------------------- Linux

find_program(PLINTH_GZIP gzip REQUIRED)

# Man pages and the changelog carry the version; Debian wants them gzipped
# without a time stamp, so that the package is the same on every build.
string(TIMESTAMP PLINTH_CHANGELOG_DATE "%a, %d %b %Y 00:00:00 +0000" UTC)
set(plinth_gzipped "")
foreach(doc plinth.1 plinth-layout.1 changelog)
  configure_file(${PLINTH_PACKAGING_DIR}/${doc} ${PLINTH_PACKAGING_OUT}/${doc} @ONLY)
  add_custom_command(
    OUTPUT ${PLINTH_PACKAGING_OUT}/${doc}.gz
    COMMAND ${PLINTH_GZIP} -9 -n -c ${PLINTH_PACKAGING_OUT}/${doc} > ${PLINTH_PACKAGING_OUT}/${doc}.gz
    DEPENDS ${PLINTH_PACKAGING_OUT}/${doc}
    VERBATIM)
  list(APPEND plinth_gzipped ${PLINTH_PACKAGING_OUT}/${doc}.gz)
endforeach()
add_custom_target(plinth_package_docs ALL DEPENDS ${plinth_gzipped})

# /usr/bin/plinth -> ../lib/plinth/plinth: the program finds its layouts
# through the link's target.
file(CREATE_LINK ../lib/plinth/plinth ${PLINTH_PACKAGING_OUT}/plinth SYMBOLIC)

install(TARGETS ${PLINTH_GUI_TARGET} RUNTIME DESTINATION lib/plinth COMPONENT ${PLINTH_COMPONENT})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/layouts/ DESTINATION lib/plinth
        COMPONENT ${PLINTH_COMPONENT} FILES_MATCHING PATTERN "*.ini")
# The word lists lie beside the layouts, where the keyboard looks them up.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/words/ DESTINATION lib/plinth
        COMPONENT ${PLINTH_COMPONENT} FILES_MATCHING PATTERN "*.words")
install(FILES ${PLINTH_PACKAGING_OUT}/plinth DESTINATION bin COMPONENT ${PLINTH_COMPONENT})
if(TARGET plinth-layout)
  install(TARGETS plinth-layout RUNTIME DESTINATION bin COMPONENT ${PLINTH_COMPONENT})
endif()

install(FILES ${PLINTH_PACKAGING_DIR}/plinth.desktop
        DESTINATION share/applications COMPONENT ${PLINTH_COMPONENT})
# For a user's ~/.config/autostart/ (plinth --help says how); not installed
# into /etc/xdg/autostart, so the keyboard starts only for who asks for it.
install(FILES ${PLINTH_PACKAGING_DIR}/plinth-autostart.desktop
        DESTINATION share/plinth COMPONENT ${PLINTH_COMPONENT})
install(FILES ${PLINTH_PACKAGING_DIR}/plinth.svg
        DESTINATION share/icons/hicolor/scalable/apps COMPONENT ${PLINTH_COMPONENT})
install(FILES ${PLINTH_PACKAGING_OUT}/plinth.1.gz ${PLINTH_PACKAGING_OUT}/plinth-layout.1.gz
        DESTINATION share/man/man1 COMPONENT ${PLINTH_COMPONENT})
install(FILES ${PLINTH_PACKAGING_DIR}/copyright ${PROJECT_SOURCE_DIR}/docs/layouts.md
              ${PLINTH_PACKAGING_OUT}/changelog.gz
        DESTINATION share/doc/plinth COMPONENT ${PLINTH_COMPONENT})
if(EXISTS ${PROJECT_SOURCE_DIR}/layouts/README.md)
  install(FILES ${PROJECT_SOURCE_DIR}/layouts/README.md
          DESTINATION share/doc/plinth COMPONENT ${PLINTH_COMPONENT})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # plinth_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# FLTK is linked statically; the X libraries it needs come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Plinth helps people who can use a mouse, trackball, head pointer or other\n"
    "pointing device but not a physical keyboard to type. It shows a small\n"
    "keyboard window on X11 that stays on top of the other windows; each click on\n"
    "one of its buttons types a key, with Shift, Ctrl or Alt, into the\n"
    "application you are working in, and the keyboard never takes the input\n"
    "focus. After each click the pointer returns to the centre of the keyboard.\n"
    "Every button comes from INI layout files: the bundled ones, or copies in\n"
    "~/.config/plinth/ that a user changes. The package holds the keyboard with\n"
    "its layouts, a desktop file for starting it with the session, and\n"
    "plinth-layout, which checks and prints layout files for their authors.")

include(CPack)

if(PLINTH_BUILD_TESTS AND NOT CMAKE_CROSSCOMPILING)
  add_subdirectory(tests/packaging)
endif()
