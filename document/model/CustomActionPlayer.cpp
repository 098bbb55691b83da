#include "document/model/CustomActionPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include "foundation/Options.h"

bool CustomActionPlayer::Play(const TimeRange& range)
{
    if (!range.IsRunningNow())
        return false;
    const EString sound = Options::GetPlanSound();
    if (sound.empty())
        return false;
    ::sndPlaySoundW(sound.c_str(), SND_ASYNC);
    return true;
}
