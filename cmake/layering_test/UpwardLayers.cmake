# A table in which a folder uses one listed after it, and one uses a folder the table does not name.
include(${CMAKE_CURRENT_LIST_DIR}/../Layers.cmake)

set(layer_folders "")
quorvane_layer(foundation LIBRARIES foundation USES mail)
quorvane_layer(winlib     LIBRARIES winlib     USES foundation)
quorvane_layer(mail       LIBRARIES mail       USES winlib reports)
