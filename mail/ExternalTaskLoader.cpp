#include "mail/ExternalTaskLoader.h"

#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "foundation/FileSystem.h"
#include "mail/CMimeMessage.h"
#include "mail/CompoundFileCheck.h"
#include "mail/MimeMailTexts.h"
#include "mail/MimeRegistry.h"
#include "mail/OulookMessage.h"

namespace {

[[noreturn]] void ThrowNotAMessage(const EString& name, const wchar_t* kind)
{
    ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA),
                  L"The dropped file \"" + name + L"\" is not " + kind + L"; no task was made.");
}

SimpleTask ReadOutlookMessage(const DroppedFile& file)
{
    // The system's storage reader trusts a damaged file's chains and can
    // loop on it: the bytes are checked before it sees them.
    if (!IsSoundCompoundFile(file.bytes))
        ThrowNotAMessage(file.name, L"an Outlook message");
    const ComPtr<IEmailMessage> message(new OulookMessage(file.bytes));
    return SimpleTask(message->GetSubject(), message->GetBody());
}

SimpleTask ReadMimeMessage(const DroppedFile& file)
{
    // The coders are registered on the first mail read, once for the process.
    static const bool registered = (RegisterDefaultMimeCodings(), true);
    (void)registered;
    CMimeMessage message;
    if (message.Load(file.bytes.data(), file.bytes.size()) < 0 || message.GetFields().empty())
        ThrowNotAMessage(file.name, L"a mail message");
    return SimpleTask(MimeMailSubject(message), MimeMailText(message));
}

} // namespace

bool CanLoadExternalTasks(IDataObject* dataObject)
{
    return HasFileGroupDescriptor(dataObject);
}

bool LoadExternalTasks(IDataObject* dataObject, std::vector<SimpleTask>& tasks)
{
    std::vector<DroppedFile> files;
    ReadDroppedFiles(dataObject, files);
    std::vector<SimpleTask> loaded;
    for (const DroppedFile& file : files) {
        SimpleTask task;
        if (LoadExternalTask(file, task))
            loaded.push_back(task);
    }
    tasks.insert(tasks.end(), loaded.begin(), loaded.end());
    return true;
}

bool LoadExternalTask(const DroppedFile& file, SimpleTask& task)
{
    if (FileHasExtension(file.name, L"msg")) {
        task = ReadOutlookMessage(file);
        return true;
    }
    if (FileHasExtension(file.name, L"eml")) {
        task = ReadMimeMessage(file);
        return true;
    }
    return false;
}

bool FileHasExtension(const EString& fileName, const wchar_t* extension)
{
    return ::lstrcmpiW(FileSystem::GetExtension(fileName).c_str(), extension) == 0;
}
