// UniqueMenu: a menu loaded or made by the program, destroyed with its holder unless a window or a bar took it over.
#pragma once

#include <windows.h>

#include <utility>

class UniqueMenu {
public:
    UniqueMenu() = default;
    explicit UniqueMenu(HMENU menu) : m_menu(menu) {}
    UniqueMenu(UniqueMenu&& other) noexcept : m_menu(other.Release()) {}
    UniqueMenu& operator=(UniqueMenu&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;
    ~UniqueMenu() { Reset(); }

    operator HMENU() const { return m_menu; }
    HMENU Get() const { return m_menu; }

    // Destroys the menu held, and its popups with it.
    void Reset(HMENU menu = nullptr)
    {
        if (const HMENU held = std::exchange(m_menu, menu))
            ::DestroyMenu(held);
    }
    // For a window that destroys it with itself.
    HMENU Release() { return std::exchange(m_menu, nullptr); }

private:
    HMENU m_menu = nullptr;
};
