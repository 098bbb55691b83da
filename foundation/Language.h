// UI languages and the two dictionaries: the UI texts (Resource) and the
// report texts (Text), read from "key = value" files.
#pragma once

#include <map>

#include "foundation/EString.h"

class Language {
public:
    static constexpr unsigned short kEnglish = 0x09;

    explicit Language(unsigned short id) : m_id(id) {}
    virtual ~Language() = default;

    // The English name of a supported primary language id; empty otherwise.
    EString GetName() const;
    // "Language\<name>.txt" in the program folder; empty for an unknown id.
    EString GetFilePath() const;

    static bool IsAvailable(unsigned id);
    static unsigned GetAvailableLanguage(unsigned id);
    static void GetInstalledLanguages(std::map<unsigned, EString>& languages);

private:
    unsigned short m_id;
};

// A dictionary file: one "key = value" per line, UTF-8.
class IniParser {
public:
    virtual ~IniParser() = default;

    bool Load(const EString& path);
    void Parse(const EString& text);
    EString GetValue(const EString& key) const;
    void Clear() { m_entries.clear(); }
    const std::map<EString, EString>& Entries() const { return m_entries; }

private:
    std::map<EString, EString> m_entries;
};

class Resource {
public:
    virtual ~Resource() = default;
    static bool Load(const EString& path);
    // The UI text of a key, with "\t" turned into a tab; empty when missing.
    static EString Translate(const EString& key);
    static IniParser& Dictionary();
    // Loads the file of the chosen UI language (English when it has none).
    static bool LoadUiLanguageFile();
};

class Text {
public:
    virtual ~Text() = default;
    static bool Load(const EString& path);
    // Replaces every "{key}" of the report dictionary by its text.
    static EString ExpandPlaceholders(const EString& text);
    static IniParser& Dictionary();
    // "Reports\Language\Reports<name>.txt" of the chosen UI language.
    static bool LoadReportLanguageFile();
};
