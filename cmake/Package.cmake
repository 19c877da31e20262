# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by CPack (./dev package): what Debian expects of an installed program
# beside the program itself (copyright, changelog, manual page), and the package's fields.

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tagloom)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc_dir})
# Debian wants these compressed reproducibly: no name or time stamp in the gzip header.
foreach(pair IN ITEMS "changelog:changelog.Debian.gz" "tagloom.1:tagloom.1.gz")
    string(REPLACE ":" ";" parts ${pair})
    list(GET parts 0 source)
    list(GET parts 1 target)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${target}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/${source} > ${CMAKE_BINARY_DIR}/packaging/${target}
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source} VERBATIM)
    list(APPEND packaging_outputs ${CMAKE_BINARY_DIR}/packaging/${target})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${packaging_outputs})
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${doc_dir})
install(FILES ${CMAKE_BINARY_DIR}/packaging/tagloom.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tagloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quorvane <${TAGLOOM_SUPPORT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML editor for writing web pages by hand")
# The lines of the long description; CPack puts the summary above them as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tagloom edits the HTML source of web pages in tabs, colours and
completes the markup while it is typed, and offers dialogs that write whole
elements: tables, images, forms, frames and style rules. Sites group pages
under one folder and are uploaded by FTP.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tagloom.example/")
# The libraries the program links come from dpkg-shlibdeps; Qt's plug-ins are loaded at run time and
# are named here: the X11 and Wayland platforms, the SQLite driver of the tag tables, the SVG icon engine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6svg6, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us | hunspell-dictionary, adwaita-icon-theme | breeze-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
