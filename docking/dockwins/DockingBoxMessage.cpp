#include "docking/dockwins/DockingBoxMessage.h"

namespace dockwins {

EString DockingBoxMessageName(DWORD processId)
{
    return EString::Formatted(L"DockingBoxMessage-%lu", static_cast<unsigned long>(processId));
}

UINT RegisterDockingBoxMessage()
{
    return ::RegisterWindowMessageW(DockingBoxMessageName(::GetCurrentProcessId()).c_str());
}

} // namespace dockwins
