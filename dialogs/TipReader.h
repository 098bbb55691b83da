// TipReader: the tips of the day, one a line of the UI language's tips file, and the next one to show.
#pragma once

#include <vector>

#include "foundation/EString.h"

class TipReader {
public:
    // The tips file of the UI language in use.
    TipReader();
    // A file that does not exist or cannot be read holds no tips.
    explicit TipReader(const EString& path);

    // The tip at the stored index ("TipIndex"), which then moves one on; an
    // index out of range starts again at the first. Empty, with the index
    // left alone, when there are no tips.
    EString GetNextTip();
    const std::vector<EString>& Tips() const { return m_tips; }

    // One tip a line; lines end with CR, LF or both, and empty lines are skipped.
    static std::vector<EString> SplitTips(const EString& text);
    // "Tips\Tips<language>.txt" in the program folder.
    static EString LanguageTipsPath();

private:
    std::vector<EString> m_tips;
};
