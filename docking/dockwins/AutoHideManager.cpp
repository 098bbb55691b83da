#include "docking/dockwins/AutoHideManager.h"

namespace dockwins {

bool CAutoHideManager::Initialize(HWND) { return true; }
void CAutoHideManager::UpdateMetrics(HWND) {}
void CAutoHideManager::Layout(HDC, RECT&) {}
void CAutoHideManager::Paint(HDC) {}
bool CAutoHideManager::PinUp(HWND, DockingPinRequest&, bool& barWasEmpty)
{
    barWasEmpty = false;
    return false;
}
bool CAutoHideManager::Remove(HWND, bool) { return false; }
bool CAutoHideManager::MouseMove(POINT) { return false; }
void CAutoHideManager::MouseHover(POINT) {}
bool CAutoHideManager::GetDockingPosition(DockingPosition*) const { return false; }
int CAutoHideManager::Width() const { return 0; }
int CAutoHideManager::Height() const { return 0; }

} // namespace dockwins
