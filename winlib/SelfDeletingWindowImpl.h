// CSelfDeletingWindowImpl<T>: a window object made on the heap that goes with its window.
#pragma once

#include <memory>
#include <utility>

#include "winlib/WindowImpl.h"

// Docking panes and package windows are closed by posted messages and by the
// system; nobody else holds them, so each deletes itself after its final
// message. Make them only with New.
template <class T>
class CSelfDeletingWindowImpl : public CWindowImpl<T> {
public:
    // The object, or null when the window could not be made (the object is
    // then gone too, whether or not creation had reached its handlers).
    template <typename... Args>
    static T* New(const CreateArgs& args, Args&&... constructorArgs)
    {
        auto object = std::make_unique<T>(std::forward<Args>(constructorArgs)...);
        if (!object->Create(args))
            return nullptr;
        object->m_ownsItself = true;
        return object.release();
    }

    // A window destroyed during its own creation ends before New has let go
    // of the object: New deletes it then.
    void OnFinalMessage(HWND) override
    {
        if (m_ownsItself)
            delete this;
    }

private:
    bool m_ownsItself = false;
};
