# Packs the program folder into a zip that runs on Windows as unpacked: the
# program with the files it ships (language files, tips, reports, templates,
# scripts and the help file), under one folder named after the program.
#
#   cmake -DBIN_DIR=<build/bin> -DZIP=<zip path> -DFOLDERS="Language;Tips;..." -P MakePortableZip.cmake
cmake_minimum_required(VERSION 3.25)

get_filename_component(stage_root "${ZIP}" DIRECTORY)
set(stage_root "${stage_root}/portable")
set(stage "${stage_root}/Quorvane")
file(REMOVE_RECURSE "${stage_root}")
file(MAKE_DIRECTORY "${stage}")

file(COPY "${BIN_DIR}/Quorvane.exe" DESTINATION "${stage}")
file(GLOB help_files "${BIN_DIR}/*.chm")
if(help_files)
  file(COPY ${help_files} DESTINATION "${stage}")
endif()
foreach(folder IN LISTS FOLDERS)
  if(EXISTS "${BIN_DIR}/${folder}")
    file(COPY "${BIN_DIR}/${folder}" DESTINATION "${stage}" PATTERN ".gitkeep" EXCLUDE)
  endif()
endforeach()

file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip Quorvane
                WORKING_DIRECTORY "${stage_root}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The portable zip could not be written: ${ZIP}")
endif()
file(REMOVE_RECURSE "${stage_root}")
message(STATUS "Portable zip: ${ZIP}")
