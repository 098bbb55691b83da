# The layering check run on a tree planted with one fault of each kind: it
# must fail, name each fault, and name nothing else.
#   cmake -P CheckPlantedFaults.cmake
cmake_minimum_required(VERSION 3.25)

set(here "${CMAKE_CURRENT_LIST_DIR}")

# Runs the check with <table> over the planted tree and its libraries, and
# expects exactly the lines after the table's name.
function(expect_faults table)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${here}/tree -DLAYERS=${here}/${table}
            -DLIBRARIES=${here}/Libraries.cmake -P ${here}/../CheckLayers.cmake
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message("--- the check with ${table}:\n${output}")
  if(result EQUAL 0)
    message(SEND_ERROR "The check passed the planted tree with ${table}")
  endif()
  foreach(expected IN LISTS ARGN)
    string(FIND "${output}" "${expected}\n" at)
    if(at EQUAL -1)
      message(SEND_ERROR "The check with ${table} did not name: ${expected}")
    endif()
  endforeach()
  list(LENGTH ARGN count)
  string(FIND "${output}" " ${count} fault(s) " at)
  if(at EQUAL -1)
    message(SEND_ERROR "The check with ${table} did not name ${count} faults, and only those")
  endif()
endfunction()

expect_faults(Layers.cmake
  # The table names a library the build lacks, and a folder without sources.
  "Layers.cmake:12: online's library online is no target of the build"
  "Layers.cmake:12: online holds no source: leave it out of the table"
  # Sources in folders the table does not name.
  "stray/Orphan.h: lies in no folder of Layers.cmake: move it into one, or name its folder there"
  "views/Loose.cpp: lies in no folder of Layers.cmake: move it into one, or name its folder there"
  # Test and benchmark code included by product code (the header is product code as the library's source includes it).
  "document/Document.cpp:5: includes \"testing/TestSupport.h\": product code includes test code"
  "document/Document.h:3: includes \"benchmark/PlanGenerator.h\": product code includes test code"
  # A relative include.
  "mail/MailParser.cpp:2: includes \"../foundation/Text.h\" through \"..\": name it from the top of the tree"
  # An include of a higher folder, and one sideways.
  "mail/MailReader.cpp:3: includes \"views/tasks/TaskList.h\": mail may not use views/tasks (Layers.cmake)"
  "views/calendar/Calendar.cpp:3: includes \"views/tasks/TaskOrder.h\": views/calendar may not use views/tasks (Layers.cmake)"
  # An include after an unmatched bracket, and a test's include its folder may not make either.
  "winlib/Window.cpp:5: includes \"views/tasks/TaskList.h\": winlib may not use views/tasks (Layers.cmake)"
  "mail/MailReader_test.cpp:3: includes \"winlib/Window.h\": mail may not use winlib (Layers.cmake)"
  # A header of the folder whose scripts alone the resources take in.
  "resources/Ids.h:2: includes \"views/tasks/TaskList.h\": resources takes in only the resource scripts of views/tasks"
  # A link the table does not allow, a link to test code, a use without its link, and a link nothing uses.
  "document/CMakeLists.txt: document links winlib: document may not use winlib (Layers.cmake)"
  "views/tasks/CMakeLists.txt: views_tasks links quorvane_testing, which is no folder's library: product code links no test code"
  "views/tasks/TaskList.cpp:2: uses winlib, but views_tasks links winlib neither directly nor through its libraries"
  "views/calendar/CMakeLists.txt: views_calendar links document, which nothing in views/calendar uses"
  # A use the table allows and nothing needs.
  "Layers.cmake:8: winlib may use mail, but nothing in it does: leave mail out"
)

# A table that lets a folder use one above it, or one it does not name, is refused before the tree is read.
expect_faults(UpwardLayers.cmake
  "UpwardLayers.cmake:5: foundation uses mail, which the table lists after it: a folder uses only those before it"
  "UpwardLayers.cmake:7: mail uses reports, which is no other folder of the table"
)
