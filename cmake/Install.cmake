# What `cmake --install` puts under the prefix: the libraries and their headers,
# the launcher, the bundle tool, and a package for find_package(AppInterface).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(APPINTERFACE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/AppInterface)

# The same names inside this build as in an installed package.
add_library(AppInterface::AppInterface ALIAS AppInterface)
add_executable(AppInterface::launcher ALIAS launcher)
add_executable(AppInterface::mkbundle ALIAS mkbundle)

install(TARGETS MacPlatform AppInterface EXPORT AppInterfaceTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS mkbundle EXPORT AppInterfaceTargets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Not on the PATH: it is only ever run from inside a bundle.
install(TARGETS launcher EXPORT AppInterfaceTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/AppInterface)

# The library's headers, flat, as users include them ("aString.h"); the platform
# headers keep their folders, since the library's headers include them so.
file(GLOB library_headers ${PROJECT_SOURCE_DIR}/AppInterfaceSources/*/*.h)
install(FILES ${library_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/AppInterface)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Platform/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/AppInterface/Platform
        FILES_MATCHING PATTERN "*.h")

install(EXPORT AppInterfaceTargets NAMESPACE AppInterface::
        DESTINATION ${APPINTERFACE_PACKAGE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/AppInterfaceConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/AppInterfaceConfig.cmake
                              INSTALL_DESTINATION ${APPINTERFACE_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/AppInterfaceConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/AppInterfaceConfig.cmake
              ${CMAKE_BINARY_DIR}/AppInterfaceConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/AppInterfaceBundle.cmake
        DESTINATION ${APPINTERFACE_PACKAGE_DIR})
