// DefaultLists: the moods, people and goals a new document starts with.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/EString.h"

class DefaultLists {
public:
    struct Mood {
        const wchar_t* key;
        BYTE red;
        BYTE green;
        BYTE blue;
    };

    virtual ~DefaultLists() = default;

    static const std::vector<Mood>& Moods();
    static const std::vector<const wchar_t*>& GoalKeys();
    // The address stored for the product's support contact.
    static const wchar_t* SupportEmail();
    static const wchar_t* ProductName();
    // The text of the key in the UI language; the key itself when the language file has none.
    static EString Translate(const wchar_t* key);
};
