# Installs the two libraries, their public headers and the package configuration, so that a
# host can write find_package(VeltEditors) and link VeltEditors::VeltEditors (which brings
# VeltEditors::QuenCore). Headers go to include/VeltEditors/ and include/quen/.
include(CMakePackageConfigHelpers)

set(VELT_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/VeltEditors)

install(TARGETS QuenCore VeltEditors EXPORT VeltEditorsTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The modules' public headers, one file set each (cmake/VeltModules.cmake).
get_property(velt_header_sets GLOBAL PROPERTY VELT_HEADER_SETS)
set(velt_header_destinations)
foreach(header_set IN LISTS velt_header_sets)
  list(APPEND velt_header_destinations
    FILE_SET ${header_set} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/VeltEditors)
endforeach()
install(TARGETS VeltEditorsHeaders ${velt_header_destinations})

install(EXPORT VeltEditorsTargets NAMESPACE VeltEditors:: DESTINATION ${VELT_PACKAGE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VeltEditorsConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VeltEditorsConfig.cmake
  INSTALL_DESTINATION ${VELT_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VeltEditorsConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VeltEditorsConfig.cmake
  ${PROJECT_BINARY_DIR}/VeltEditorsConfigVersion.cmake
  DESTINATION ${VELT_PACKAGE_DIR})
