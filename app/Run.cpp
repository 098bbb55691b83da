#include "app/Run.h"

#include <memory>

#include "app/LimitSingleInstance.h"
#include "app/MainFrame.h"
#include "app/StartupDocumentPath.h"
#include "document/xml/PlanReadAhead.h"
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
    // Parsing a large plan takes as long as building the window: both at once.
    const PlanReadAhead readAhead(frame->GetDocument().GetStartupOpenPath());
    if (!frame->CreateMainWindow())
        return 0;
    return loop.Run();
}
