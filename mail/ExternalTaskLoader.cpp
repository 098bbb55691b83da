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

// A message box of more lines would not fit the screen.
constexpr size_t MaxLeftOutLines = 10;

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

// One line per file left out, as many as a message box shows.
EString LeftOutLines(const std::vector<EString>& reasons)
{
    EString lines;
    for (size_t i = 0; i < reasons.size() && i < MaxLeftOutLines; ++i)
        lines += (i ? L"\r\n" : L"") + reasons[i];
    const size_t more = reasons.size() > MaxLeftOutLines ? reasons.size() - MaxLeftOutLines : 0;
    if (more == 1)
        lines += L"\r\nOne more dropped file was left out.";
    else if (more > 1)
        lines += L"\r\n" + std::to_wstring(more) + L" more dropped files were left out.";
    return lines;
}

} // namespace

bool CanLoadExternalTasks(IDataObject* dataObject)
{
    return HasFileGroupDescriptor(dataObject);
}

bool LoadExternalTasks(IDataObject* dataObject, std::vector<SimpleTask>& tasks, EString& leftOut)
{
    std::vector<DroppedFile> files;
    ReadDroppedFiles(dataObject, files);
    std::vector<EString> reasons;
    for (const DroppedFile& file : files) {
        SimpleTask task;
        try {
            if (LoadExternalTask(file, task))
                tasks.push_back(task);
        } catch (const ComError& error) {
            reasons.push_back(error.Description());
        }
    }
    leftOut = LeftOutLines(reasons);
    return true;
}

bool LoadExternalTask(const DroppedFile& file, SimpleTask& task)
{
    const bool outlook = FileHasExtension(file.name, L"msg");
    if (!outlook && !FileHasExtension(file.name, L"eml"))
        return false;
    if (!file.unreadable.empty())
        ThrowComError(HRESULT_FROM_WIN32(ERROR_READ_FAULT), file.unreadable);
    task = outlook ? ReadOutlookMessage(file) : ReadMimeMessage(file);
    return true;
}

bool FileHasExtension(const EString& fileName, const wchar_t* extension)
{
    return ::lstrcmpiW(FileSystem::GetExtension(fileName).c_str(), extension) == 0;
}
