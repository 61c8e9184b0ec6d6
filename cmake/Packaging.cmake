# Installs the CMake package (Lamivex::lamivex) and the pkg-config file of the library. Both locate the
# installed files relative to themselves, so the tree may be installed under any prefix.
include(CMakePackageConfigHelpers)

set(LAMIVEX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Lamivex)
install(EXPORT LamivexTargets NAMESPACE Lamivex:: DESTINATION ${LAMIVEX_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LamivexConfig.cmake.in
    ${PROJECT_BINARY_DIR}/LamivexConfig.cmake INSTALL_DESTINATION ${LAMIVEX_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LamivexConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LamivexConfig.cmake ${PROJECT_BINARY_DIR}/LamivexConfigVersion.cmake
    DESTINATION ${LAMIVEX_CMAKE_DIR})

set(LAMIVEX_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH LAMIVEX_PC_PREFIX_FROM_PCDIR /prefix/${LAMIVEX_PC_DIR} /prefix)
string(REGEX REPLACE "/$" "" LAMIVEX_PC_PREFIX_FROM_PCDIR "${LAMIVEX_PC_PREFIX_FROM_PCDIR}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/lamivex.pc.in ${PROJECT_BINARY_DIR}/lamivex.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lamivex.pc DESTINATION ${LAMIVEX_PC_DIR})
