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

bool IsFieldNameCharacter(char ch) { return ch > ' ' && ch <= '~' && ch != ':'; }

// A mail's first line is a header field: a name of visible ASCII characters,
// then a colon ("Subject: ..."). A picture's or a plain text's is not, while
// a mail of a single field still is; the body is not looked at. A UTF-8 byte
// order mark and an mbox separator ("From sender date"), which some programs
// keep on a saved message, may come before it.
bool BeginsWithHeaderField(const std::string& bytes)
{
    size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    if (bytes.compare(pos, 5, "From ") == 0) {
        pos = bytes.find('\n', pos);
        if (pos == std::string::npos)
            return false;
        ++pos;
    }
    const size_t nameStart = pos;
    while (pos < bytes.size() && IsFieldNameCharacter(bytes[pos]))
        ++pos;
    if (pos == nameStart)
        return false;
    while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t'))
        ++pos;
    return pos < bytes.size() && bytes[pos] == ':';
}

SimpleTask ReadMimeMessage(const DroppedFile& file)
{
    // The coders are registered on the first mail read, once for the process.
    static const bool registered = (RegisterDefaultMimeCodings(), true);
    (void)registered;
    if (!BeginsWithHeaderField(file.bytes))
        ThrowNotAMessage(file.name, L"a mail message");
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
