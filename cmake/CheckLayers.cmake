# Fails, naming file:line, when a source of one floor includes a higher floor.
# The floors, lowest first; folders in one string share a floor. A folder's
# files belong to the longest folder that holds them (document/model is not
# document). resources/ holds ids every floor may include and includes only
# resources/, except that its scripts take in the templates kept beside
# their dialogs (.rc files). testing/ and benchmark/ stand outside the floors.
#   cmake -DSOURCE_DIR=<tree> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)

set(floors
  "foundation"
  "document/model"
  "document/xml"
  "document"
  "winlib"
  "dialogs"
  "views/common"
  "views/tasks mail"
  "views/calendar"
  "reports docking online"
  "app"
)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers.cmake needs -DSOURCE_DIR=<source tree>")
endif()

set(folders "")
set(level 0)
foreach(floor IN LISTS floors)
  separate_arguments(members UNIX_COMMAND "${floor}")
  foreach(folder IN LISTS members)
    list(APPEND folders "${folder}")
    set(level_of_${folder} ${level})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()
# Longest folders first, so that document/model wins over document.
list(SORT folders COMPARE STRING ORDER DESCENDING)

# Sets <out> to the floor folder holding <path>, or empty.
function(floor_folder path out)
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(head STREQUAL "${folder}/")
      set(${out} "${folder}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(scanned "resources")
foreach(folder IN LISTS folders)
  list(APPEND scanned "${folder}")
endforeach()
list(REMOVE_DUPLICATES scanned)
set(globs "")
foreach(folder IN LISTS scanned)
  list(APPEND globs "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.rc")
endforeach()
file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" ${globs})
list(REMOVE_DUPLICATES files)
list(SORT files)

set(faults 0)
foreach(file IN LISTS files)
  file(STRINGS "${SOURCE_DIR}/${file}" lines ENCODING UTF-8)
  floor_folder("${file}" own)
  string(FIND "${file}" "resources/" at)
  set(in_resources OFF)
  if(at EQUAL 0)
    set(in_resources ON)
  endif()
  get_filename_component(extension "${file}" LAST_EXT)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
      continue()
    endif()
    set(included "${CMAKE_MATCH_1}")
    floor_folder("${included}" target)
    if(target STREQUAL "")
      continue()
    endif()
    if(in_resources)
      get_filename_component(included_extension "${included}" LAST_EXT)
      if(NOT extension STREQUAL ".rc" OR NOT included_extension STREQUAL ".rc")
        message(SEND_ERROR "${file}:${number}: includes ${included}: resources/ includes only resources/ and, in scripts, dialog templates")
        math(EXPR faults "${faults} + 1")
      endif()
    elseif(NOT own STREQUAL "" AND level_of_${target} GREATER level_of_${own})
      message(SEND_ERROR "${file}:${number}: includes ${included}: ${target}/ is a higher floor than ${own}/")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} upward include(s)")
endif()
list(LENGTH files count)
message(STATUS "No upward include in ${count} files")
