# The build's own functions: shared libraries with C entries, installed libraries and tests.
include(GNUInstallDirs)

# Installs a shared library under TALVERO_INSTALL_LIBDIR; it finds the libraries it loads beside it.
function(talvero_install_library target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${target} LIBRARY DESTINATION ${TALVERO_INSTALL_LIBDIR})
endfunction()

# talvero_lazy_libraries(<target> <library>...)
#
# <target> calls the libraries through ui/libraries.h, loading each with its first call: it takes
# their headers only, and they are built with it.
function(talvero_lazy_libraries target)
  foreach(library IN LISTS ARGN)
    target_include_directories(${target} PUBLIC $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
  add_dependencies(${target} ${ARGN})
endfunction()

# talvero_c_library(<target> SOURCES <file>... EXPORTS <symbol>... [INCLUDE <dir>...]
#                   [LINK <library>...] [C_TEST <file>])
#
# A shared library whose only exports are the C entries named: everything is compiled hidden,
# <TARGET>_BUILDING is defined for the header's export macro, a version script hides the rest (the
# static libraries linked in included), and the library is installed. With tests on,
# <target>_exports checks the exported names, and C_TEST adds <target>_entry_c_test, a C program
# calling the entries (compiled with LIBRARY_<target> defined).
function(talvero_c_library target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "C_TEST" "SOURCES;EXPORTS;INCLUDE;LINK")
  add_library(${target} SHARED ${arg_SOURCES})
  set_target_properties(${target} PROPERTIES C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  string(TOUPPER ${target} upper)
  target_compile_definitions(${target} PRIVATE ${upper}_BUILDING)
  if(arg_INCLUDE)
    target_include_directories(${target} PUBLIC ${arg_INCLUDE})
  endif()
  if(arg_LINK)
    target_link_libraries(${target} PRIVATE ${arg_LINK})
  endif()

  list(JOIN arg_EXPORTS "; " globals)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  file(WRITE ${script} "{\n  global: ${globals};\n  local: *;\n};\n")
  target_link_options(${target} PRIVATE -Wl,--no-undefined -Wl,--exclude-libs,ALL -Wl,--version-script=${script})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
  talvero_install_library(${target})

  if(NOT TALVERO_TESTS)
    return()
  endif()
  list(JOIN arg_EXPORTS "\\;" expected)
  add_test(NAME ${target}_exports
           COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DLIB=$<TARGET_FILE:${target}> "-DEXPECTED=${expected}"
                   -P ${PROJECT_SOURCE_DIR}/cmake/check_exports.cmake)
  if(arg_C_TEST)
    add_executable(${target}_entry_c_test ${arg_C_TEST})
    target_compile_definitions(${target}_entry_c_test PRIVATE LIBRARY_${target})
    target_link_libraries(${target}_entry_c_test PRIVATE ${target} m)
    add_test(NAME ${target}_entry_c_test COMMAND ${target}_entry_c_test)
  endif()
endfunction()

# talvero_test(<target> <source>... [LINK <library>...] [PREFIX <prefix>] [WIDGETS] [CORE_MAIN]
#              [LABEL <label>])
#
# A GoogleTest program whose tests CTest discovers. WIDGETS: the test runs offscreen with one
# QApplication and a private data folder (talvero_qt_gtest_main) and joins the comma-locale pass
# (label forms), unless LABEL names another. CORE_MAIN: a QCoreApplication main
# (talvero_core_gtest_main); otherwise GoogleTest's own main.
function(talvero_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDGETS;CORE_MAIN" "PREFIX;LABEL" "LINK")
  add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
  set(label ${arg_LABEL})
  set(properties)
  if(arg_WIDGETS)
    set(main talvero_qt_gtest_main GTest::gtest)
    list(APPEND properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    if(NOT label)
      set(label forms)
    endif()
  elseif(arg_CORE_MAIN)
    set(main talvero_core_gtest_main GTest::gtest)
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(${target} PRIVATE ${arg_LINK} ${main})
  if(label)
    list(APPEND properties LABELS ${label})
  endif()
  set(prefix)
  if(arg_PREFIX)
    set(prefix TEST_PREFIX ${arg_PREFIX})
  endif()
  if(properties)
    gtest_discover_tests(${target} ${prefix} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  else()
    gtest_discover_tests(${target} ${prefix} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
