#include "document/xml/PlanReadAhead.h"

#include <objbase.h>

#include "document/xml/XmlDoc.h"
#include "foundation/StepTimer.h"

PlanReadAhead* PlanReadAhead::s_current = nullptr;

bool PlanReadAhead::FileStamp::operator==(const FileStamp& other) const
{
    return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow &&
           sizeHigh == other.sizeHigh && sizeLow == other.sizeLow &&
           ::CompareFileTime(&written, &other.written) == 0;
}

bool PlanReadAhead::ReadStamp(const EString& path, FileStamp& stamp)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.Get(), &information))
        return false;
    stamp.volume = information.dwVolumeSerialNumber;
    stamp.indexHigh = information.nFileIndexHigh;
    stamp.indexLow = information.nFileIndexLow;
    stamp.sizeHigh = information.nFileSizeHigh;
    stamp.sizeLow = information.nFileSizeLow;
    stamp.written = information.ftLastWriteTime;
    return true;
}

PlanReadAhead::PlanReadAhead(const EString& path) : m_path(path)
{
    if (m_path.IsEmpty() || s_current)
        return;
    m_done.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_release.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (m_done && m_release)
        m_thread.Reset(::CreateThread(nullptr, 0, &PlanReadAhead::ThreadMain, this, 0, nullptr));
    if (m_thread)
        s_current = this;
}

PlanReadAhead::~PlanReadAhead()
{
    if (s_current == this)
        s_current = nullptr;
    if (m_thread) {
        Release();
        ::WaitForSingleObject(m_thread.Get(), INFINITE);
    }
    // The document was made free-threaded: any thread may let it go.
    m_document = XmlDocument();
}

void PlanReadAhead::WaitUntilRead() const
{
    if (m_done)
        ::WaitForSingleObject(m_done.Get(), INFINITE);
}

HANDLE PlanReadAhead::GetReadEventOf(const EString& path)
{
    if (!s_current || s_current->m_taken || path.CompareNoCase(s_current->m_path.c_str()) != 0)
        return nullptr;
    return s_current->GetReadEvent();
}

XmlDocument PlanReadAhead::Take(const EString& path)
{
    return s_current ? s_current->Hand(path) : XmlDocument();
}

DWORD WINAPI PlanReadAhead::ThreadMain(void* self)
{
    auto* readAhead = static_cast<PlanReadAhead*>(self);
    // The thread's own apartment lives until the document has been handed
    // over or given up.
    const bool initialized = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    if (initialized)
        readAhead->Read();
    ::SetEvent(readAhead->m_done.Get());
    ::WaitForSingleObject(readAhead->m_release.Get(), INFINITE);
    if (initialized)
        ::CoUninitialize();
    return 0;
}

void PlanReadAhead::Read()
{
    const StepTimer timing(L"read-ahead on its own thread");
    // Taken before the read: a write during it makes the stamp stale.
    if (!ReadStamp(m_path, m_stamp))
        return;
    try {
        m_document = XmlDoc::ParseFile(m_path, true);
    } catch (...) {
        // The open reads the file again and reports what is wrong with it.
        m_document = XmlDocument();
    }
}

XmlDocument PlanReadAhead::Hand(const EString& path)
{
    if (m_taken || path.CompareNoCase(m_path.c_str()) != 0)
        return XmlDocument();
    m_taken = true;
    s_current = nullptr;
    {
        const StepTimer wait(L"read-ahead-wait");
        WaitUntilRead();
    }
    XmlDocument document = std::move(m_document);
    m_document = XmlDocument();
    FileStamp now;
    if (document && !(ReadStamp(path, now) && now == m_stamp))
        document = XmlDocument();
    Release();
    return document;
}

void PlanReadAhead::Forget()
{
    if (!s_current || s_current->m_taken)
        return;
    PlanReadAhead* const current = s_current;
    s_current = nullptr;
    current->m_taken = true;
    current->WaitUntilRead();
    current->m_document = XmlDocument();
    current->Release();
}

void PlanReadAhead::Release()
{
    ::SetEvent(m_release.Get());
}
