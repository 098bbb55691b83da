// CustomActionPlayer: the sound announcing a plan entry while it runs.
#pragma once

#include "document/model/TimeRange.h"

class CustomActionPlayer {
public:
    virtual ~CustomActionPlayer() = default;

    // Plays the "PlanSound" file without waiting when the range runs now;
    // true when it asked for the sound (a file that cannot be played is not reported).
    static bool Play(const TimeRange& range);
};
