# Build rules every target of the project follows, applied in one place at the end of the root
# CMakeLists.txt by quilmo_apply_rules(), so that a new target cannot miss them:
# - the warnings (quilmo_warnings), errors with QUILMO_WERROR;
# - the sanitizers of QUILMO_ASAN, or those and libFuzzer's coverage of QUILMO_FUZZ
#   (quilmo_sanitizers);
# - the layer rule on includes (QuilmoLayers.cmake).

include("${CMAKE_CURRENT_LIST_DIR}/QuilmoLayers.cmake")

option(QUILMO_WERROR "Treat compiler warnings as errors" OFF)
option(QUILMO_FUZZ "Build the libFuzzer targets of fuzz/ (clang; AddressSanitizer and UBSan)" OFF)
if(QUILMO_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QUILMO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

add_library(quilmo_warnings INTERFACE)
if(MSVC)
  target_compile_options(quilmo_warnings INTERFACE /W4 /permissive- $<$<BOOL:${QUILMO_WERROR}>:/WX>)
else()
  target_compile_options(quilmo_warnings INTERFACE -Wall -Wextra -Wpedantic
    $<$<BOOL:${QUILMO_WERROR}>:-Werror>)
endif()

add_library(quilmo_sanitizers INTERFACE)
if(QUILMO_FUZZ)
  # Every library is instrumented for libFuzzer's coverage; the fuzz programs link libFuzzer.
  target_compile_options(quilmo_sanitizers INTERFACE -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quilmo_sanitizers INTERFACE -fsanitize=address,undefined)
elseif(QUILMO_ASAN)
  if(MSVC)
    target_compile_options(quilmo_sanitizers INTERFACE /fsanitize=address)
  else()
    target_compile_options(quilmo_sanitizers INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)
    target_link_options(quilmo_sanitizers INTERFACE -fsanitize=address,undefined)
  endif()
endif()

# Every target defined in `dir` and the folders below it.
function(quilmo_collect_targets dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    quilmo_collect_targets("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(quilmo_apply_rules)
  quilmo_collect_targets("${PROJECT_SOURCE_DIR}" targets)
  set(checked)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE quilmo_warnings quilmo_sanitizers)
      list(APPEND checked ${target})
    elseif(type STREQUAL "INTERFACE_LIBRARY")
      list(APPEND checked ${target})  # header-only libraries pass on their headers
    endif()
  endforeach()
  quilmo_check_layers("${checked}")
endfunction()
