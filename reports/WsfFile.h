// WsfFile: the script files a Windows Script file names in its script elements.
#pragma once

#include <vector>

#include "foundation/EString.h"

class WsfFile {
public:
    // Reads the whole file; raises the file's ComError when it cannot be read.
    explicit WsfFile(const EString& path);
    // Built over a text already read.
    static WsfFile FromText(const EString& text);

    // Appends the double-quoted src value of each "<script " element, in order.
    void GetScriptSources(std::vector<EString>& sources) const;

private:
    WsfFile() = default;

    EString m_text;
};
