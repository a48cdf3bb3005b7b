# The library VeltEditors is built from modules, one folder each, in layers that depend only on
# the layers below them (see docs/building.md):
#
#   velt_add_module(<name>
#     SOURCES <file>...          .cpp, private _p.h headers, .qrc
#     PUBLIC_HEADERS <file>...   the headers other modules, the tests and hosts may include
#     DEPENDS <module>...        modules below this one (already added)
#     LIBRARIES <target>...)     further libraries it uses privately (Qt6::Charts, ...)
#
# Each module is an object library `velt-<name>` whose own folder is a private include
# directory. Its public headers reach the modules above it (and everything linking VeltEditors)
# through a generated folder of forwarding headers, so a private header of one module is never
# on another module's include path. A dependency on a module that is not added yet is an error:
# modules are added bottom-up, so the link edges can only point down.
#
# All modules end up in the one shared library VeltEditors; velt-<name>-private is an interface
# target that gives a test the module's private headers explicitly.

add_library(VeltEditors SHARED)
set_target_properties(VeltEditors PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 6)
target_link_libraries(VeltEditors PUBLIC QuenCore Qt6::Core Qt6::Gui Qt6::Widgets)

set(VELT_EXPORT_HEADER_DIR ${PROJECT_BINARY_DIR}/include/velt)
include(GenerateExportHeader)
# The code is compiled in the modules' object libraries, which define the symbol that makes
# VELT_EXPORT export (velt_add_module), not in VeltEditors itself.
set_target_properties(VeltEditors PROPERTIES DEFINE_SYMBOL VELT_BUILDING_LIBRARY)
generate_export_header(VeltEditors BASE_NAME VELT
  EXPORT_FILE_NAME ${VELT_EXPORT_HEADER_DIR}/velt_export.h)
target_include_directories(VeltEditors PUBLIC
  $<BUILD_INTERFACE:${VELT_EXPORT_HEADER_DIR}>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/VeltEditors>)

# The public headers as they are installed: one header file set per module on a target that
# nothing links (in the build tree the forwarding headers serve), installed by VeltPackage.cmake.
add_library(VeltEditorsHeaders INTERFACE)
target_sources(VeltEditorsHeaders INTERFACE FILE_SET export_header TYPE HEADERS
  BASE_DIRS ${VELT_EXPORT_HEADER_DIR} FILES ${VELT_EXPORT_HEADER_DIR}/velt_export.h)
set_property(GLOBAL APPEND PROPERTY VELT_HEADER_SETS export_header)

function(velt_add_module name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;PUBLIC_HEADERS;DEPENDS;LIBRARIES")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "velt_add_module(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  set(target velt-${name})
  foreach(dependency IN LISTS ARG_DEPENDS)
    if(NOT TARGET velt-${dependency})
      message(FATAL_ERROR "velt_add_module(${name}): ${dependency} is not a module below it "
        "(modules are added bottom-up and depend only on modules added before them)")
    endif()
  endforeach()

  add_library(${target} OBJECT ${ARG_SOURCES} ${ARG_PUBLIC_HEADERS})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${target} PRIVATE VELT_BUILDING_LIBRARY)
  list(TRANSFORM ARG_DEPENDS PREPEND velt- OUTPUT_VARIABLE dependencies)
  target_link_libraries(${target}
    PUBLIC ${dependencies} QuenCore Qt6::Core Qt6::Gui Qt6::Widgets
    PRIVATE ${ARG_LIBRARIES})
  velt_set_warnings(${target})
  velt_use_strict_strings(${target})

  # Forwarding headers: only the public headers, under their own names.
  set(forward_dir ${PROJECT_BINARY_DIR}/include/modules/${name})
  foreach(header IN LISTS ARG_PUBLIC_HEADERS)
    cmake_path(ABSOLUTE_PATH header BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
      OUTPUT_VARIABLE header_path)
    cmake_path(GET header FILENAME header_name)
    file(CONFIGURE OUTPUT ${forward_dir}/${header_name}
      CONTENT "#include \"${header_path}\"\n" @ONLY)
  endforeach()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${forward_dir}>
    $<BUILD_INTERFACE:${VELT_EXPORT_HEADER_DIR}>)

  target_link_libraries(VeltEditors PRIVATE ${target} ${ARG_LIBRARIES})
  target_include_directories(VeltEditors PUBLIC $<BUILD_INTERFACE:${forward_dir}>)

  string(MAKE_C_IDENTIFIER "${name}_headers" header_set)
  target_sources(VeltEditorsHeaders INTERFACE FILE_SET ${header_set} TYPE HEADERS
    BASE_DIRS ${CMAKE_CURRENT_SOURCE_DIR} FILES ${ARG_PUBLIC_HEADERS})
  set_property(GLOBAL APPEND PROPERTY VELT_HEADER_SETS ${header_set})

  add_library(${target}-private INTERFACE)
  target_include_directories(${target}-private INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
