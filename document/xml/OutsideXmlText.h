// OutsideXmlText: an XML text from outside the program, a paste, an import or a template, as its parse takes it.
#pragma once

#include "foundation/EString.h"

// Without the characters XML cannot hold (StorableXmlText): a copy out of a
// plan that held them, a script's output or a hand-made file carries them as
// they are, and no parser reads it; they can only be in texts, never in the
// markup, so the rest parses. And with no text longer than the plan keeps
// by more than one character (ReadableXmlTexts), which the reader would
// refuse, or take with all after it dropped. The text itself when nothing
// needs to change, else `prepared`, which the function fills.
const EString& PrepareOutsideXml(const EString& text, EString& prepared);
