// IReminderAction and ITrackingAction: what the reminder alert and the tracking window ask of the task list.
#pragma once

#include "dialogs/ReminderAction.h"
#include "dialogs/TrackingAction.h"
