// UniqueHandle, UniqueFindHandle, ProcessHandles: a kernel handle, a file search, a started process and its thread, each closed when its holder goes.
#pragma once

#include <windows.h>

#include <utility>

// CreateFile and FindFirstFile answer a failure with INVALID_HANDLE_VALUE,
// the other makers of kernel handles with null: the holder takes either as
// holding nothing, so a failed CreateFile never passes for a file. It hands
// out the handle only by Get, never by conversion, for the same reason.
template <class Closer>
class BasicUniqueHandle {
public:
    BasicUniqueHandle() = default;
    explicit BasicUniqueHandle(HANDLE handle) : m_handle(handle) {}
    BasicUniqueHandle(BasicUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    BasicUniqueHandle& operator=(BasicUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    BasicUniqueHandle(const BasicUniqueHandle&) = delete;
    BasicUniqueHandle& operator=(const BasicUniqueHandle&) = delete;
    ~BasicUniqueHandle() { Close(); }

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return Holds(m_handle); }

    // False only when the system refused the close: for a file written
    // without a flush, the last failure of its writes can show here.
    bool Close()
    {
        const HANDLE handle = std::exchange(m_handle, nullptr);
        return !Holds(handle) || Closer::Close(handle);
    }
    void Reset(HANDLE handle = nullptr)
    {
        Close();
        m_handle = handle;
    }
    // The caller closes it.
    HANDLE Release() { return std::exchange(m_handle, nullptr); }

private:
    static bool Holds(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }

    HANDLE m_handle = nullptr;
};

struct KernelHandleCloser {
    static bool Close(HANDLE handle) { return ::CloseHandle(handle) != FALSE; }
};
struct FindHandleCloser {
    static bool Close(HANDLE handle) { return ::FindClose(handle) != FALSE; }
};

using UniqueHandle = BasicUniqueHandle<KernelHandleCloser>;
using UniqueFindHandle = BasicUniqueHandle<FindHandleCloser>;

// The process and its first thread, as CreateProcess hands them back.
struct ProcessHandles {
    ProcessHandles() = default;
    explicit ProcessHandles(const PROCESS_INFORMATION& started) : process(started.hProcess), thread(started.hThread) {}

    UniqueHandle process;
    UniqueHandle thread;
};
