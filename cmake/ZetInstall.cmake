# What `cmake --install` and `cpack -G DEB` deliver: the shared library with
# its public headers, a CMake package and a pkg-config file for host programs,
# the zetview program, the user guide and the sample reports. The layers stay
# inside the library; their headers are not installed.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZET_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZETView)
set(ZET_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zetview)

# INCLUDES gives hosts with a CMake older than 3.23, which ignores file sets,
# the include folder too.
install(TARGETS zetview EXPORT ZETViewTargets FILE_SET HEADERS INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS zetview_cli)
install(EXPORT ZETViewTargets NAMESPACE ZETView:: DESTINATION ${ZET_PACKAGE_DIR})

configure_package_config_file(cmake/ZETViewConfig.cmake.in ${CMAKE_BINARY_DIR}/ZETViewConfig.cmake
    INSTALL_DESTINATION ${ZET_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ZETViewConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ZETViewConfig.cmake ${CMAKE_BINARY_DIR}/ZETViewConfigVersion.cmake
    DESTINATION ${ZET_PACKAGE_DIR})

file(RELATIVE_PATH ZET_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" ZET_PC_TO_PREFIX ${ZET_PC_TO_PREFIX})
configure_file(cmake/zetview.pc.in ${CMAKE_BINARY_DIR}/zetview.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/zetview.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

file(GLOB guide CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.md ${CMAKE_SOURCE_DIR}/docs/*.png)
install(FILES ${guide} DESTINATION ${ZET_DOC_DIR})
file(GLOB samples CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*.zet ${CMAKE_SOURCE_DIR}/examples/*.xml)
install(FILES ${samples} DESTINATION ${ZET_DOC_DIR}/examples)
install(FILES examples/host/CMakeLists.txt examples/host/main.cpp DESTINATION ${ZET_DOC_DIR}/examples/host)

# One Debian package with all of it. dpkg-shlibdeps names the Qt 6 runtime
# packages; the fonts are the ones the font resolver maps report fonts onto.
set(CPACK_PACKAGE_NAME zetview)
set(CPACK_PACKAGE_VENDOR Tarvisol)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Report component for Qt 6 programs")
set(CPACK_PACKAGE_DESCRIPTION "The ZETView widget lays out, previews, prints and exports banded reports
from a template and nested-record data. The package holds the shared library,
its headers, CMake and pkg-config files for host programs, the zetview
command-line program, the user guide and sample reports.")
set(CPACK_PACKAGE_CONTACT Tarvisol)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n")
# Building a host program against the headers needs Qt's own.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-base-dev)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
