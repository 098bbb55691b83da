#include "app/Run.h"

#include <memory>

#include "app/LimitSingleInstance.h"
#include "app/MainFrame.h"
#include "app/StartupDocumentPath.h"
#include "foundation/FileSystem.h"
#include "winlib/MessageLoop.h"

int Run(const EString& commandLineText)
{
    CMessageLoop loop;
    loop.Register();
    CommandLine commandLine;
    commandLine.Parse(commandLineText);
    if (LimitSingleInstance().CheckPreviousInstance(commandLine))
        return 0;
    MigrateRecentFileList();
    auto frame = std::make_unique<CMainFrame>();
    frame->GetDocument().SetPathName(ChooseStartupDocumentPath(commandLine));
    if (!frame->CreateMainWindow())
        return 0;
    return loop.Run();
}
