#include <gtest/gtest.h>

#include "winlib/MenuText.h"

TEST(MenuTextTest, MnemonicIsTheLetterAfterTheFirstSingleAmpersand)
{
    const struct {
        const wchar_t* text;
        wchar_t mnemonic;
    } cases[] = {
        {L"&File", L'f'},        {L"E&xit", L'x'},        {L"Fish && &Chips", L'c'},
        {L"A&&B", 0},            {L"End&", 0},            {L"", 0},
        {L"&&&Save", L's'},      {L"No mnemonic", 0},     {L"&1 plan.qvr", L'1'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuText::Mnemonic(c.text), c.mnemonic) << c.text;
}

TEST(MenuTextTest, ShortcutIsWhatFollowsTheFirstTab)
{
    const struct {
        const wchar_t* text;
        const wchar_t* label;
        const wchar_t* shortcut;
    } cases[] = {
        {L"&Copy\tCtrl+C", L"&Copy", L"Ctrl+C"},
        {L"&Open...", L"&Open...", L""},
        {L"A\tB\tC", L"A", L"B\tC"},
        {L"\tF1", L"", L"F1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuText::Label(c.text), c.label) << c.text;
        EXPECT_EQ(MenuText::Shortcut(c.text), c.shortcut) << c.text;
    }
}
