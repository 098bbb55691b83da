#include "document/model/MoodItem.h"

#include "document/model/IdCounter.h"

namespace {

IdCounter g_ids;

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

// The leading hexadecimal digits of at most two characters from the position.
BYTE ReadComponent(const EString& text, size_t position)
{
    int value = 0;
    for (size_t i = position; i < text.size() && i < position + 2; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return static_cast<BYTE>(value);
}

} // namespace

MoodItem::MoodItem(const EString& name, COLORREF color) : NamedEntry(NextId(), name, EString()), m_color(color)
{
}

EString MoodItem::GetColorText() const
{
    return EString::Formatted(L"%02x%02x%02x", GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
}

void MoodItem::SetColorText(const EString& text)
{
    m_color = RGB(ReadComponent(text, 0), ReadComponent(text, 2), ReadComponent(text, 4));
}

bool MoodItem::operator==(const MoodItem& other) const
{
    return NamedEntry::operator==(other) && m_color == other.m_color;
}

int MoodItem::NextId()
{
    return g_ids.Next();
}

void MoodItem::SetIdCounter(int value)
{
    g_ids.Set(value);
}
