# `make package`: a Debian package made by CPack from the install rules, so the package and
# `make install` can never disagree about what is installed where.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE torvane_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Torvane developers <torvane@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "task guard for the X11 desktop")
# CPack puts the summary first and indents these lines itself.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Torvane lists the titled windows of the desktop, keeps a safe list and a kill"
    "list, and closes kill-listed tasks within half a second. While protection is"
    "on it kills or asks about every new task. It also shows memory gauges, the"
    "connection state, CPU core temperature graphs, a countdown to shut-down"
    "actions and a file cipher.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${torvane_arch})
# Library dependencies come from dpkg-shlibdeps; Qt's X11 platform plugin is loaded at run time, so
# no linked library names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME torvane_${PROJECT_VERSION}_${torvane_arch}.deb)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
