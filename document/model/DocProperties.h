// DocProperties: the descriptive texts of a document (its PROPERTIES).
#pragma once

#include "foundation/EString.h"

class DocProperties {
public:
    DocProperties() = default;
    DocProperties(const DocProperties&) = default;
    DocProperties& operator=(const DocProperties&) = default;
    virtual ~DocProperties() = default;

    EString GetManager() const { return m_manager; }
    void SetManager(const EString& text) { m_manager = text; }
    EString GetAuthor() const { return m_author; }
    void SetAuthor(const EString& text) { m_author = text; }
    EString GetCompany() const { return m_company; }
    void SetCompany(const EString& text) { m_company = text; }
    EString GetAddress() const { return m_address; }
    void SetAddress(const EString& text) { m_address = text; }
    EString GetTitle() const { return m_title; }
    void SetTitle(const EString& text) { m_title = text; }

    void Clear() { *this = DocProperties(); }

    bool operator==(const DocProperties& other) const = default;

private:
    EString m_manager;
    EString m_author;
    EString m_company;
    EString m_address;
    EString m_title;
};
