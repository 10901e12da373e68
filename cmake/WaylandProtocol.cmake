# Client code for a Wayland protocol: wayland-scanner writes <basename>-client-protocol.h and
# <basename>-protocol.c into the build tree, which the target compiles and includes.
enable_language(C) # the scanner writes C
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)

function(torvane_wayland_protocol target xml basename)
    set(dir ${CMAKE_BINARY_DIR}/wayland)
    set(header ${dir}/${basename}-client-protocol.h)
    set(code ${dir}/${basename}-protocol.c)
    file(MAKE_DIRECTORY ${dir})
    add_custom_command(OUTPUT ${header} COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header} DEPENDS ${xml})
    add_custom_command(OUTPUT ${code} COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code} DEPENDS ${xml})
    target_sources(${target} PRIVATE ${header} ${code})
    target_include_directories(${target} PUBLIC ${dir})
    target_link_libraries(${target} PUBLIC PkgConfig::WAYLAND_CLIENT)
endfunction()
