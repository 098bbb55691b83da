#include "document/model/NamedEntry.h"

namespace {
constexpr int kShortNameLength = 20;
}

NamedEntry::NamedEntry(int id, const EString& name, const EString& description)
    : m_id(id), m_name(name), m_description(description)
{
}

EString NamedEntry::GetShortName() const
{
    if (m_name.GetLength() <= kShortNameLength)
        return m_name;
    return m_name.Left(kShortNameLength) + L"...";
}

EString NamedEntry::GetSingleLineDescription() const
{
    EString line = m_description;
    for (auto& ch : line)
        if (ch == L'\n' || ch == L'\r' || ch == L'\t')
            ch = L' ';
    return line;
}

bool NamedEntry::operator==(const NamedEntry& other) const
{
    return m_id == other.m_id && m_name == other.m_name && m_description == other.m_description;
}
