# What each folder of the program may use: the one table the layering check
# (cmake/CheckLayers.cmake) holds every include and every link against.
#
#   quorvane_layer(<folder> [LIBRARIES <target>...] [USES <folder>...]
#                  [TEMPLATES <folder>...])
#
# The folders go lowest first, and a folder USES only folders before it. A
# file belongs to the longest folder that holds it (document/model is not
# document); it includes its own folder and those its folder USES. Its
# folder's LIBRARIES link the libraries of exactly the folders their code
# includes. TEMPLATES: folders whose resource scripts this folder's scripts
# take in, and nothing else of theirs. Each list is what the code needs
# today: a new need widens it here, the last use gone narrows it.
macro(quorvane_layer folder)
  cmake_parse_arguments(layer "" "" "LIBRARIES;USES;TEMPLATES" ${ARGN})
  list(APPEND layer_folders "${folder}")
  set(layer_libraries_of_${folder} "${layer_LIBRARIES}")
  set(layer_uses_of_${folder} "${layer_USES}")
  set(layer_templates_of_${folder} "${layer_TEMPLATES}")
endmacro()

set(layer_folders "")
# The ids the folders above include; the program's script takes in the
# dialogs' and the reports' templates.
quorvane_layer(resources TEMPLATES dialogs reports)
quorvane_layer(foundation         LIBRARIES foundation     USES resources)
quorvane_layer(document/model     LIBRARIES document_model USES foundation)
quorvane_layer(document/xml       LIBRARIES document_xml   USES document/model foundation)
quorvane_layer(document           LIBRARIES document       USES document/xml document/model foundation resources)
quorvane_layer(winlib             LIBRARIES winlib         USES foundation resources)
quorvane_layer(dialogs            LIBRARIES dialogs        USES document document/model winlib foundation resources)
quorvane_layer(views/common       LIBRARIES views_common
  USES dialogs document document/model winlib foundation resources)
quorvane_layer(mail               LIBRARIES mail           USES foundation)
quorvane_layer(views/tasks        LIBRARIES views_tasks
  USES views/common mail dialogs document document/model winlib foundation resources)
quorvane_layer(views/calendar     LIBRARIES views_calendar
  USES views/common dialogs document document/model winlib foundation resources)
quorvane_layer(reports            LIBRARIES reports
  USES views/common dialogs document document/xml document/model winlib foundation resources)
quorvane_layer(docking/commandbar LIBRARIES commandbar     USES winlib foundation)
quorvane_layer(docking/dockwins   LIBRARIES dockwins       USES winlib foundation)
quorvane_layer(docking/sstate     LIBRARIES sstate         USES docking/dockwins foundation)
quorvane_layer(online             LIBRARIES online         USES document foundation)
quorvane_layer(app                LIBRARIES quorvane_app Quorvane
  USES views/calendar views/tasks views/common reports online docking/sstate docking/dockwins docking/commandbar
       dialogs document document/xml winlib foundation resources)

# Test code: the tests and fixtures beside each folder may also include these;
# product code never does, and their own files may include anything.
set(layer_test_folders testing benchmark)
# Not scanned: the build's scripts, with the layering check's planted tree.
set(layer_unscanned_folders cmake)
