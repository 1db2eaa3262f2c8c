# Windows test programs: GoogleTest built from Debian's sources with the cross compiler, and
# every test program run under Wine in a prefix of its own inside the build tree.

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(ZARN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
add_subdirectory(${ZARN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

find_program(ZARN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(ZARN_WINE NAMES wine64 wine)
if(NOT ZARN_WINE)
    message(FATAL_ERROR "The Windows tests run under Wine: install wine64")
endif()
set(ZARN_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
        WORLD_READ WORLD_EXECUTE
    @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
