// dockwins::CPtrFrame: a frame record of a frame-level package: its start position and the frame it owns.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

namespace dockwins {

template <class T>
class CPtrFrame {
public:
    CPtrFrame(double start, std::unique_ptr<T> frame) : position(start), m_frame(std::move(frame)) {}

    T* Get() const { return m_frame.get(); }
    HWND GetHwnd() const { return m_frame->GetHwnd(); }
    int MinDistance() const { return m_frame->MinDistance(); }
    void GetMinMaxInfo(MINMAXINFO* info) const { m_frame->GetMinMaxInfo(info); }
    HDWP DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2) const
    {
        return m_frame->DeferFramePos(batch, x1, y1, x2, y2);
    }

    // In the owner window's client coordinates; read as an integer by truncation.
    double position;

private:
    std::unique_ptr<T> m_frame;
};

} // namespace dockwins
