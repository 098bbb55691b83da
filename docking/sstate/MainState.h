// sstate::CMainState: the application's key and the screen's growth, for one Store or Restore.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "docking/sstate/State.h"
#include "foundation/RegistryKey.h"

namespace sstate {

// How much a screen dimension grew since the layout was stored; a missing
// or zero stored size (or one no screen has) means it did not.
float ScreenRatio(int current, std::optional<DWORD> stored);

class CMainState : public IMainState {
public:
    explicit CMainState(std::wstring keyPath) : m_keyPath(std::move(keyPath)) {}

    // Creates the key and writes the screen size under "General".
    bool OpenForStore();
    // Opens the key and reads the ratios; false when it or "General" is missing.
    bool OpenForRestore();

    float XRatio() const override { return m_xRatio; }
    float YRatio() const override { return m_yRatio; }
    HKEY MainKey() const override { return m_mainKey; }

private:
    RegistryKey m_mainKey;
    std::wstring m_keyPath;
    float m_xRatio = 1.0f;
    float m_yRatio = 1.0f;
};

} // namespace sstate
