# The planted tree's table, in the form of cmake/Layers.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/../Layers.cmake)

set(layer_folders "")
quorvane_layer(resources      TEMPLATES views/tasks)
quorvane_layer(foundation     LIBRARIES foundation)
quorvane_layer(mail           LIBRARIES mail           USES foundation)
quorvane_layer(winlib         LIBRARIES winlib         USES foundation mail)
quorvane_layer(document       LIBRARIES document       USES foundation)
quorvane_layer(views/tasks    LIBRARIES views_tasks    USES mail winlib foundation)
quorvane_layer(views/calendar LIBRARIES views_calendar USES document winlib)
quorvane_layer(online         LIBRARIES online         USES foundation)
