# Installs the libraries and headers and exports the package, so that a host can use
# find_package(VeltEditors) and link VeltEditors::QuenCore (and VeltEditors::VeltEditors).
include(CMakePackageConfigHelpers)

set(VELT_EXPORTED_TARGETS QuenCore)
if(TARGET VeltEditors)
  list(APPEND VELT_EXPORTED_TARGETS VeltEditors)
endif()

install(TARGETS ${VELT_EXPORTED_TARGETS} EXPORT VeltEditorsTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY core/include/quen DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${CMAKE_BINARY_DIR}/core/include/quen/quen_export.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quen)
install(EXPORT VeltEditorsTargets NAMESPACE VeltEditors::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VeltEditors)

file(WRITE ${CMAKE_BINARY_DIR}/VeltEditorsConfig.cmake.in [=[
@PACKAGE_INIT@
include(CMakeFindDependencyMacro)
find_dependency(Qt6 COMPONENTS Core Gui Widgets)
include("${CMAKE_CURRENT_LIST_DIR}/VeltEditorsTargets.cmake")
]=])
configure_package_config_file(${CMAKE_BINARY_DIR}/VeltEditorsConfig.cmake.in
  ${CMAKE_BINARY_DIR}/VeltEditorsConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VeltEditors)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/VeltEditorsConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/VeltEditorsConfig.cmake
  ${CMAKE_BINARY_DIR}/VeltEditorsConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VeltEditors)
