# The hardening Debian builds its packages with (`dpkg-buildflags` with hardening=+all): position
# independent executables, relocations made read-only and bound at start, fortified C library calls
# and stack protectors. Every build gets them, so the tests run the code the package ships.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# Fortified calls need optimisation (a Debug build warns otherwise), and the sanitizers check those
# calls themselves; the fortified variants would slip past them.
if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
    set(torvane_optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
    add_compile_options($<${torvane_optimised}:-U_FORTIFY_SOURCE> $<${torvane_optimised}:-D_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
