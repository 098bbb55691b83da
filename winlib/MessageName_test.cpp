#include <gtest/gtest.h>

#include "winlib/MessageName.h"

TEST(MessageNameTest, KnownMessagesByNameTheRestByNumber)
{
    const struct {
        UINT message;
        const wchar_t* name;
    } cases[] = {
        {WM_CREATE, L"WM_CREATE"},
        {WM_INITDIALOG, L"WM_INITDIALOG"},
        {WM_NCDESTROY, L"WM_NCDESTROY"},
        {WM_USER, L"WM_USER+0"},
        {WM_USER + 108, L"WM_USER+108"},
        {WM_APP + 3, L"WM_APP+3"},
        {0xC123, L"0xC123"}, // a registered message
        {0x0118, L"0x0118"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageName(c.message), c.name) << c.message;
}
