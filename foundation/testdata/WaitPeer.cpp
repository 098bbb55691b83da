// A second process for the wait tests: ends when the test opens its gate.
//   foundation_wait_peer <event name>
// Exit code 0 when the named event was set, 1 when it was not set within
// 30 s (so a test whose wait blocks its messages fails instead of hanging),
// 2 for a missing event.
#include <windows.h>

#include "foundation/UniqueHandle.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    const UniqueHandle gate(::OpenEventW(SYNCHRONIZE, FALSE, argv[1]));
    if (!gate)
        return 2;
    const DWORD result = ::WaitForSingleObject(gate.Get(), 30000);
    return result == WAIT_OBJECT_0 ? 0 : 1;
}
