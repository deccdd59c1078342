# GoogleTest and GoogleMock built from Debian's source package inside the
# build, for a cross build that has no GoogleTest libraries of its target.
set(QUORBEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source folder")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUORBEL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest 1.12 names its targets GTest::gtest, GTest::gmock ... itself.
