# The layer rule, checked while building: a target may include a header of the project only if
# the header is among its own sources or among those of a target it links (PUBLIC or PRIVATE,
# and what those pass on through their PUBLIC and INTERFACE links), and a Qt header only if it
# links Qt. The link lines are thus the one place where the layers are written down
# (engine <- editor <- editor/qt <- app); the targets listed in QUILMO_WITHOUT_QT must never
# link Qt, and no target may reach itself through its links.
#
# quilmo_check_layers() attaches to every library and program of the project a step that scans
# its sources (cmake/CheckIncludes.cmake) before they are compiled; a wrong include fails the
# build with a message naming the file, the header and the target the header belongs to.

set(QUILMO_LAYER_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/CheckIncludes.cmake")

# Link items that are targets, with their aliases resolved. Items wrapped in $<LINK_ONLY:...>
# (the PRIVATE links of a static library as its users see them) pass on no headers and are
# left out; other generator expressions and plain flags or paths are not targets.
function(_quilmo_link_targets items out)
  set(result)
  foreach(item IN LISTS items)
    if(item MATCHES "^\\$<" OR NOT TARGET "${item}")
      continue()
    endif()
    get_target_property(aliased "${item}" ALIASED_TARGET)
    if(aliased)
      set(item "${aliased}")
    endif()
    list(APPEND result "${item}")
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Every target whose headers `target` may use: its direct links and, from there, the PUBLIC
# and INTERFACE links of each.
function(_quilmo_link_closure target out)
  get_target_property(direct "${target}" LINK_LIBRARIES)
  if(NOT direct)
    set(direct)
  endif()
  _quilmo_link_targets("${direct}" pending)
  set(seen)
  while(pending)
    list(POP_FRONT pending next)
    if(next IN_LIST seen)
      continue()
    endif()
    list(APPEND seen "${next}")
    get_target_property(passed "${next}" INTERFACE_LINK_LIBRARIES)
    if(passed)
      _quilmo_link_targets("${passed}" more)
      list(APPEND pending ${more})
    endif()
  endwhile()
  set(${out} "${seen}" PARENT_SCOPE)
endfunction()

# The files of the source tree among `target`'s sources, as absolute paths.
function(_quilmo_target_files target out)
  get_target_property(sources "${target}" SOURCES)
  get_target_property(dir "${target}" SOURCE_DIR)
  set(result)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\$<" OR NOT source MATCHES "\\.(h|hpp|c|cc|cpp)$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${dir}" NORMALIZE OUTPUT_VARIABLE path)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${path}" NORMALIZE in_tree)
    cmake_path(IS_PREFIX CMAKE_BINARY_DIR "${path}" NORMALIZE in_build)
    if(in_tree AND NOT in_build)
      list(APPEND result "${path}")
    endif()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# The folders of the source tree that `target` searches for includes.
function(_quilmo_include_roots target closure out)
  get_target_property(roots "${target}" INCLUDE_DIRECTORIES)
  if(NOT roots)
    set(roots)
  endif()
  foreach(dep IN LISTS closure)
    get_target_property(more "${dep}" INTERFACE_INCLUDE_DIRECTORIES)
    if(more)
      list(APPEND roots ${more})
    endif()
  endforeach()
  set(result)
  foreach(root IN LISTS roots)
    string(REGEX REPLACE "^\\$<BUILD_INTERFACE:(.*)>$" "\\1" root "${root}")
    if(root MATCHES "\\$<")
      continue()
    endif()
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${root}" NORMALIZE in_tree)
    cmake_path(IS_PREFIX CMAKE_BINARY_DIR "${root}" NORMALIZE in_build)
    if(in_tree AND NOT in_build)
      list(APPEND result "${root}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES result)
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Writes `content` to `path` only when it differs, so that an unchanged rule does not run the
# check again after each configure.
function(_quilmo_write_if_changed path content)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${content}")
endfunction()

# `targets`: the project's libraries (header-only ones too) and programs. Call once, after all of
# them are defined.
function(quilmo_check_layers targets)
  set(dir "${CMAKE_BINARY_DIR}/layer-check")
  # Which targets list each file of the tree.
  set(listed)
  foreach(target IN LISTS targets)
    _quilmo_target_files(${target} files)
    set(files_of_${target} "${files}")
    foreach(file IN LISTS files)
      cmake_path(RELATIVE_PATH file BASE_DIRECTORY "${PROJECT_SOURCE_DIR}")
      list(APPEND owners_of_${file} ${target})
      list(APPEND listed "${file}")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES listed)
  set(owners "")
  foreach(file IN LISTS listed)
    string(APPEND owners "set(\"owners/${file}\" \"${owners_of_${file}}\")\n")
  endforeach()
  _quilmo_write_if_changed("${dir}/owners.cmake" "${owners}")

  foreach(target IN LISTS targets)
    if(NOT files_of_${target})
      continue()  # generated code only, such as Qt's resource objects
    endif()
    _quilmo_link_closure(${target} closure)
    if(target IN_LIST closure)
      message(FATAL_ERROR "${target} links itself through ${closure}: the layers must not form a loop")
    endif()
    set(qt OFF)
    foreach(dep IN LISTS closure)
      if(dep MATCHES "^Qt6?::")
        set(qt ON)
      endif()
    endforeach()
    if(qt AND target IN_LIST QUILMO_WITHOUT_QT)
      message(FATAL_ERROR "${target} must not link Qt, but links ${closure}")
    endif()
    set(allowed)
    foreach(owner IN ITEMS ${target} ${closure})
      foreach(file IN LISTS files_of_${owner})
        cmake_path(RELATIVE_PATH file BASE_DIRECTORY "${PROJECT_SOURCE_DIR}")
        list(APPEND allowed "${file}")
      endforeach()
    endforeach()
    _quilmo_include_roots(${target} "${closure}" roots)
    set(rules "${dir}/${target}.cmake")
    _quilmo_write_if_changed("${rules}" "\
set(QL_TARGET \"${target}\")
set(QL_ROOT \"${PROJECT_SOURCE_DIR}\")
set(QL_QT ${qt})
set(QL_FILES \"${files_of_${target}}\")
set(QL_ROOTS \"${roots}\")
set(QL_ALLOWED \"${allowed}\")
set(QL_OWNERS \"${dir}/owners.cmake\")
")
    set(stamp "${dir}/${target}.stamp")
    add_custom_command(OUTPUT "${stamp}"
      COMMAND "${CMAKE_COMMAND}" -DRULES=${rules} -P "${QUILMO_LAYER_SCRIPT}"
      COMMAND "${CMAKE_COMMAND}" -E touch "${stamp}"
      DEPENDS ${files_of_${target}} "${rules}" "${QUILMO_LAYER_SCRIPT}"
      COMMENT "Checking the includes of ${target}"
      VERBATIM)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      # Nothing compiles a header-only library itself: its check is part of every build.
      add_custom_target(${target}_includes ALL DEPENDS "${stamp}")
    else()
      add_custom_target(${target}_includes DEPENDS "${stamp}")
      add_dependencies(${target} ${target}_includes)
    endif()
  endforeach()
endfunction()
