#include "app/StartupDocumentPath.h"

#include "foundation/Options.h"

EString ChooseStartupDocumentPath(const CommandLine& commandLine)
{
    if (commandLine.HasDocument())
        return commandLine.GetDocumentPath();
    const EString copy = Options::GetRestorePath();
    if (copy.IsEmpty())
        return EString();
    // The copy is the document's path with ".auto" appended. Times compare
    // in whole seconds; on equal times, or with neither file there, the
    // document wins.
    const EString document = FileSystem::GetPathWithoutExtension(copy);
    return FileSystem::ChooseNewerFile(copy, document);
}
