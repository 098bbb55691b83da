# quorvane_record_layer_libraries(<file>): writes, for the layering check,
# the sources and the linked targets of every library cmake/Layers.cmake
# names, as CMake has them once every folder is configured. Links to the
# system's libraries (ole32, ...) are no targets and are left out.
function(quorvane_record_layer_libraries file)
  include(${CMAKE_SOURCE_DIR}/cmake/Layers.cmake)
  set(text "# Written at configure time by cmake/RecordLayerLibraries.cmake.\n")
  set(recorded "")
  foreach(folder IN LISTS layer_folders)
    foreach(library IN LISTS layer_libraries_of_${folder})
      if(NOT TARGET ${library})
        continue()
      endif()
      list(APPEND recorded ${library})
      get_target_property(directory ${library} SOURCE_DIR)
      file(RELATIVE_PATH directory "${CMAKE_SOURCE_DIR}" "${directory}")

      get_target_property(sources ${library} SOURCES)
      set(relative_sources "")
      foreach(source IN LISTS sources)
        if(source MATCHES "^\\$<")
          continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${CMAKE_SOURCE_DIR}/${directory}" NORMALIZE)
        cmake_path(IS_PREFIX CMAKE_SOURCE_DIR "${source}" NORMALIZE inside)
        if(inside)
          file(RELATIVE_PATH source "${CMAKE_SOURCE_DIR}" "${source}")
          list(APPEND relative_sources "${source}")
        endif()
      endforeach()

      set(links "")
      foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(items ${library} ${property})
        foreach(item IN LISTS items)
          # A static library's private links reach its users as $<LINK_ONLY:...>.
          if(item MATCHES "^\\$<LINK_ONLY:([^>]+)>$")
            set(item "${CMAKE_MATCH_1}")
          endif()
          if(TARGET "${item}")
            list(APPEND links "${item}")
          endif()
        endforeach()
      endforeach()
      list(REMOVE_DUPLICATES links)

      string(APPEND text
        "set(library_directory_of_${library} \"${directory}\")\n"
        "set(library_sources_of_${library} \"${relative_sources}\")\n"
        "set(library_links_of_${library} \"${links}\")\n")
    endforeach()
  endforeach()
  string(APPEND text "set(recorded_libraries \"${recorded}\")\n")
  file(WRITE "${file}" "${text}")
endfunction()
