# The layer machinery: one library per folder, and headers seen only along the layer order.
#
# dw_layer(<name> <folder> [<layer it uses>...] [ONLY_IF <option>])
#   Makes the library dw_<name> from the .cpp files of <folder> and of its subfolders, leaving out
#   any subfolder with a CMakeLists.txt of its own (another library, or programs). With no .cpp
#   file it is an INTERFACE library (a folder of programs or of headers). It links the libraries
#   of the layers it uses, so it sees their headers and theirs in turn, and nothing else. Then the
#   folder's own CMakeLists.txt, if there is one, adds what the table cannot say (packages,
#   definitions, programs). A layer whose folder does not exist yet is skipped, and so are uses
#   of it, and so is a layer whose ONLY_IF option is off; a use of a layer not declared before is
#   an error.
#
# dw_include_root(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>)
#   Gives target the include directory build/include/<target>/, in which <folder> (relative to
#   the source root) is a link to the source folder. Includes are root-relative
#   ("framework/controls/core/Control.h"), and no include directory names the source root, so a
#   header is found only by the targets that link the library it belongs to.

set_property(GLOBAL PROPERTY DW_DECLARED_LAYERS "")

# The subfolders of dir (at any depth) that have a CMakeLists.txt of their own.
function(_dw_own_units out dir)
  file(GLOB_RECURSE lists CONFIGURE_DEPENDS ${dir}/CMakeLists.txt)
  set(units)
  foreach(list ${lists})
    get_filename_component(unit ${list} DIRECTORY)
    if(NOT unit STREQUAL dir)
      list(APPEND units ${unit})
    endif()
  endforeach()
  set(${out} ${units} PARENT_SCOPE)
endfunction()

# True in out when path is one of dirs or lies inside one of them.
function(_dw_path_in out path dirs)
  set(${out} FALSE PARENT_SCOPE)
  foreach(dir ${dirs})
    string(FIND "${path}/" "${dir}/" pos)
    if(pos EQUAL 0)
      set(${out} TRUE PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# Shows src at dst: one link for the whole folder, or, when a left-out subfolder lies inside,
# a real folder with one link per entry.
function(_dw_mirror src dst excluded)
  set(holds FALSE)
  foreach(dir ${excluded})
    _dw_path_in(inside ${dir} ${src})
    if(inside)
      set(holds TRUE)
    endif()
  endforeach()
  if(NOT holds)
    file(CREATE_LINK ${src} ${dst} SYMBOLIC)
    return()
  endif()
  file(MAKE_DIRECTORY ${dst})
  file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true ${src}/*)
  foreach(entry ${entries})
    if(NOT entry IN_LIST excluded)
      get_filename_component(entryName ${entry} NAME)
      _dw_mirror(${entry} ${dst}/${entryName} "${excluded}")
    endif()
  endforeach()
endfunction()

function(dw_include_root target scope folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  # Links only: removing the old root never touches the source folders.
  file(REMOVE_RECURSE ${root})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  _dw_own_units(units ${CMAKE_SOURCE_DIR}/${folder})
  _dw_mirror(${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} "${units}")
  target_include_directories(${target} ${scope} ${root})
endfunction()

function(dw_layer name folder)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "ONLY_IF" "")
  get_property(declared GLOBAL PROPERTY DW_DECLARED_LAYERS)
  set_property(GLOBAL APPEND PROPERTY DW_DECLARED_LAYERS ${name})
  set(dir ${CMAKE_SOURCE_DIR}/${folder})
  if(NOT IS_DIRECTORY ${dir} OR (ARG_ONLY_IF AND NOT ${ARG_ONLY_IF}))
    return()
  endif()
  set(deps)
  foreach(dep ${ARG_UNPARSED_ARGUMENTS})
    if(NOT dep IN_LIST declared)
      message(FATAL_ERROR "Layer ${name} uses ${dep}, which is not a layer declared before it.")
    endif()
    if(TARGET dw_${dep})
      list(APPEND deps dw_${dep})
    endif()
  endforeach()

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  _dw_own_units(units ${dir})
  set(own)
  foreach(source ${sources})
    _dw_path_in(inside ${source} "${units}")
    if(NOT inside)
      list(APPEND own ${source})
    endif()
  endforeach()

  set(target dw_${name})
  if(own)
    add_library(${target} STATIC ${own})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_link_libraries(${target} ${scope} ${deps})
  dw_include_root(${target} ${scope} ${folder})
  if(EXISTS ${dir}/CMakeLists.txt)
    add_subdirectory(${dir} ${CMAKE_BINARY_DIR}/${folder})
  endif()
endfunction()
