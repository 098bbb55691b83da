#include <gtest/gtest.h>

#include <utility>

#include "winlib/UniqueMenu.h"

namespace {

// A popup with a submenu, as a loaded menu resource holds them.
HMENU MakeMenuWithSubmenu(HMENU& submenu)
{
    const HMENU menu = ::CreatePopupMenu();
    submenu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"More");
    return menu;
}

} // namespace

TEST(UniqueMenu, TheMenuAndItsSubmenusGoWithTheLastHolder)
{
    HMENU menu = nullptr;
    HMENU submenu = nullptr;
    {
        UniqueMenu first(MakeMenuWithSubmenu(submenu));
        menu = first;
        UniqueMenu second(std::move(first));
        EXPECT_EQ(first.Get(), nullptr);
        UniqueMenu third;
        third = std::move(second);
        EXPECT_TRUE(::IsMenu(menu));
    }
    EXPECT_FALSE(::IsMenu(menu));
    EXPECT_FALSE(::IsMenu(submenu));
}

TEST(UniqueMenu, ResetDestroysTheOldMenuAndReleaseHandsItOver)
{
    UniqueMenu holder(::CreatePopupMenu());
    const HMENU first = holder;
    holder.Reset(::CreatePopupMenu());
    EXPECT_FALSE(::IsMenu(first));
    const HMENU second = holder.Release();
    EXPECT_EQ(holder.Get(), nullptr);
    EXPECT_TRUE(::IsMenu(second));
    ::DestroyMenu(second);
}
