# Client code for a Wayland protocol, generated from its XML by wayland-scanner at build time.
# The scanner writes C, so C is enabled here; PkgConfig::WAYLAND_CLIENT is the library to link.
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
# Where the wayland-protocols package keeps its XML (stable/xdg-shell/xdg-shell.xml and others).
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT WAYLAND_PROTOCOLS_DIR)
    set(WAYLAND_PROTOCOLS_DIR /usr/share/wayland-protocols)
endif()

# torvane_wayland_protocol(<target> <xml> <basename> [SERVER])
# Adds <basename>-client-protocol.h (and, with SERVER, <basename>-server-protocol.h for in-test
# compositors) and the interface code <basename>-protocol.c to <target>. Each target gets its own
# output folder, so two targets may generate the same protocol.
function(torvane_wayland_protocol target xml basename)
    cmake_parse_arguments(ARG "SERVER" "" "" ${ARGN})
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols/${target})
    set(header ${dir}/${basename}-client-protocol.h)
    set(code ${dir}/${basename}-protocol.c)
    add_custom_command(OUTPUT ${header} COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header} DEPENDS ${xml} VERBATIM)
    add_custom_command(OUTPUT ${code} COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code} DEPENDS ${xml} VERBATIM)
    set(outputs ${header} ${code})
    if(ARG_SERVER)
        set(server ${dir}/${basename}-server-protocol.h)
        add_custom_command(OUTPUT ${server} COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                           COMMAND ${WAYLAND_SCANNER} server-header ${xml} ${server} DEPENDS ${xml} VERBATIM)
        list(APPEND outputs ${server})
    endif()
    target_sources(${target} PRIVATE ${outputs})
    target_include_directories(${target} PUBLIC ${dir})
endfunction()
