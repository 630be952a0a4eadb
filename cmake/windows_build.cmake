# What the Windows build needs beyond the shared build files. Included by the
# top CMakeLists when building for Windows.

if(MORVA_BUILD_TESTS AND CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest's sources; build them with the cross compiler.
    set(MORVA_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH
        "GoogleTest sources to build for the target")
    if(NOT EXISTS ${MORVA_GOOGLETEST_SOURCE}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest sources not found in ${MORVA_GOOGLETEST_SOURCE} (apt-get install libgtest-dev)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${MORVA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(library gtest gtest_main)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()

    # find_package(GTest) then finds the targets just built instead of the
    # host's libraries.
    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake
        "# GoogleTest built from source for the target, above.\n")
    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config-version.cmake
        "set(PACKAGE_VERSION_COMPATIBLE TRUE)\nset(PACKAGE_VERSION_EXACT FALSE)\n")

    # List each suite's tests when CTest starts rather than at build time,
    # so the build itself never needs Wine.
    set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()
