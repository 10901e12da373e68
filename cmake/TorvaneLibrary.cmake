# One static library per source folder, made of every .cpp in it (not its subfolders). A folder
# without sources yet becomes an interface library, so dependants can link it already.
# LOGIC names the folder's files that show nothing (a .cpp brings its header along): they become
# <name>_logic, built with LOGIC_DEPS alone, and the rest of the folder links it. Widgets are not
# among LOGIC_DEPS, so a widget header included by a logic file fails the build.
function(torvane_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;LOGIC;LOGIC_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(ARG_LOGIC)
        set(logic_files)
        foreach(file ${ARG_LOGIC})
            set(path ${CMAKE_CURRENT_SOURCE_DIR}/${file})
            if(NOT EXISTS ${path})
                message(FATAL_ERROR "${name}_logic names ${file}, which is not in ${CMAKE_CURRENT_SOURCE_DIR}")
            endif()
            list(APPEND logic_files ${path})
            string(REGEX REPLACE "\\.cpp$" ".h" header ${path})
            if(NOT header STREQUAL path AND EXISTS ${header})
                list(APPEND logic_files ${header})
            endif()
        endforeach()
        add_library(${name}_logic STATIC ${logic_files})
        target_link_libraries(${name}_logic PUBLIC ${ARG_LOGIC_DEPS})
        target_include_directories(${name}_logic PUBLIC ${PROJECT_SOURCE_DIR}/src)
        list(REMOVE_ITEM sources ${logic_files})
        list(REMOVE_ITEM headers ${logic_files})
        list(PREPEND ARG_DEPS ${name}_logic)
    endif()
    if(sources)
        add_library(${name} STATIC ${sources} ${headers})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    else()
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    endif()
endfunction()

# One GoogleTest executable per test folder (DIR, below the current folder), made of every .cpp in
# it plus the shared test main.
function(torvane_test name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} torvane_test_support torvane_test_main GTest::gtest GTest::gmock)
    # One CTest test per test case, so a failure names its test.
    gtest_discover_tests(${name} TEST_PREFIX ${name}. DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
