# Shared compile settings and the helpers every folder uses.

add_library(rost_settings INTERFACE)
target_compile_options(rost_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
if(ROST_WERROR)
  target_compile_options(rost_settings INTERFACE -Werror)
endif()
target_compile_definitions(rost_settings INTERFACE
  QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_FOREACH
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)
target_include_directories(rost_settings INTERFACE ${CMAKE_SOURCE_DIR}/src)
if(ROST_SANITIZE)
  target_compile_options(rost_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(rost_settings INTERFACE -fsanitize=address,undefined)
endif()

# rost_layer(NAME LAYER core|render|ui SOURCES ... DEPS ...)
# core links QtCore only; render adds QtGui and QtPrintSupport; ui adds QtWidgets. SOURCES names
# every .cpp, .h, .ui and .qrc file of the library; forms are found beside the sources that
# include them.
function(rost_layer name)
  cmake_parse_arguments(A "" "LAYER" "SOURCES;DEPS" ${ARGN})
  if(A_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "rost_layer(${name}): unexpected arguments ${A_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT A_LAYER MATCHES "^(core|render|ui)$")
    message(FATAL_ERROR "rost_layer(${name}): LAYER must be core, render or ui, not '${A_LAYER}'")
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC rost_settings Qt6::Core ${A_DEPS})
  if(A_LAYER STREQUAL "render" OR A_LAYER STREQUAL "ui")
    target_link_libraries(${name} PUBLIC Qt6::Gui Qt6::PrintSupport)
  endif()
  if(A_LAYER STREQUAL "ui")
    target_link_libraries(${name} PUBLIC Qt6::Widgets)
  endif()
  set_target_properties(${name} PROPERTIES AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# rost_test(NAME LABEL core|render|widget SOURCES ... DEPS ...)
function(rost_test name)
  cmake_parse_arguments(A "" "LABEL" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE rost_settings rost_testsupport Qt6::Test ${A_DEPS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ${A_LABEL} TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
