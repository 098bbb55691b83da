// A live Outlook message storage, as a mail program hands one over, read into bytes of our own.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "mail/DroppedFiles.h"
#include "mail/ExternalTaskLoader.h"
#include "mail/FakeMailDrop.h"
#include "mail/MessageStorage.h"
#include "mail/MessageStorageCopy.h"
#include "mail/MsgFileBuilder.h"
#include "mail/OulookMessage.h"

namespace {

const size_t AttachmentBytes = 2 * 1024 * 1024;
// A body long enough to be read in several pieces, of no round size.
const std::string Body = "Figures attached.\r\n" + std::string(150001, '.');

// Every property the reader takes from a message's own streams, beside a
// recipient, a 2 MB attachment, the named-property map and a property it
// does not read.
std::string MessageWithLargeAttachment()
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, L"Budget \x2013 Q3");
    file.AddAnsiProperty(L"", 0x1000, Body);
    file.AddBinaryProperty(L"", 0x1009, UncompressedRtf("{\\rtf1 Figures attached.}"));
    file.AddUnicodeProperty(L"", 0x0E04, L"Bob");
    file.AddUnicodeProperty(L"", 0x0E03, L"Carol");
    file.AddUnicodeProperty(L"", 0x0E02, L"Dan");
    file.AddUnicodeProperty(L"", 0x0C1A, L"Ann Lee");
    file.AddUnicodeProperty(L"", 0x0C1F, L"ann@example.com");
    file.AddBinaryProperty(L"", 0x300B, std::string("\x01\xAB\x00\x10", 4));
    file.AddUnicodeProperty(L"", 0x0037, L"RE: Budget \x2013 Q3");
    file.AddFixedProperties({{0x0040, 0x0E06, 0x01DA6BD0F5A3C000ULL}});
    file.AddStorage(L"__nameid_version1.0");
    file.AddUnicodeProperty(RecipientStorage(0), 0x3001, L"Bob");
    file.AddUnicodeProperty(AttachmentStorage(0), 0x3707, L"figures.xlsx");
    file.AddBinaryProperty(AttachmentStorage(0), 0x3701, std::string(AttachmentBytes, 'x'));
    return file.GetBytes();
}

template <class Vector>
int CountOf(Vector* vector)
{
    const int count = vector->GetCount();
    vector->Release();
    return count;
}

// The names and kinds of a storage's root elements.
std::vector<std::pair<EString, DWORD>> RootElements(const std::string& bytes)
{
    ComPtr<IStorage> storage;
    EXPECT_HRESULT_SUCCEEDED(OpenStorageOnBytes(bytes, &storage));
    std::vector<std::pair<EString, DWORD>> elements;
    ComPtr<IEnumSTATSTG> list;
    if (!storage || FAILED(storage->EnumElements(0, nullptr, 0, &list)))
        return elements;
    for (STATSTG element = {}; list->Next(1, &element, nullptr) == S_OK; element = {}) {
        elements.emplace_back(element.pwcsName, element.type);
        ::CoTaskMemFree(element.pwcsName);
    }
    return elements;
}

// A mail program's storage that does not keep to the rules: it lists its
// subject again and again, or without end, or fails to list. Its objects
// live as long as the test; the subject's stream is the system's own.
class UnrulyStorage : public IStorage, public IEnumSTATSTG {
public:
    // How many elements it lists; -1: without end.
    long long listed = -1;
    HRESULT enumeratorAnswer = S_OK;
    int nextCalls = 0;
    int opens = 0;

    // IUnknown, shared by the two faces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IStorage
    HRESULT STDMETHODCALLTYPE CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream** stream) override
    {
        ++opens;
        const std::string subject = MsgFileBuilder::Utf16Bytes(L"aaaa");
        const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, subject.size());
        memcpy(::GlobalLock(memory), subject.data(), subject.size());
        ::GlobalUnlock(memory);
        return ::CreateStreamOnHGlobal(memory, TRUE, stream);
    }
    HRESULT STDMETHODCALLTYPE CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CopyTo(DWORD, const IID*, SNB, IStorage*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumElements(DWORD, void*, DWORD, IEnumSTATSTG** elements) override
    {
        *elements = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DestroyElement(const OLECHAR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RenameElement(const OLECHAR*, const OLECHAR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*, const FILETIME*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetClass(REFCLSID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStateBits(DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }

    // IEnumSTATSTG: the subject's stream, over and over.
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, STATSTG* elements, ULONG* fetched) override
    {
        ++nextCalls;
        if (FAILED(enumeratorAnswer))
            return enumeratorAnswer;
        const EString name = MsgFileBuilder::StreamName(0x0E1D, 0x001F);
        const size_t bytes = (name.size() + 1) * sizeof(wchar_t);
        ULONG given = 0;
        for (; given < wanted && listed != 0; ++given) {
            if (listed > 0)
                --listed;
            elements[given] = {};
            elements[given].type = STGTY_STREAM;
            elements[given].pwcsName = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
            memcpy(elements[given].pwcsName, name.c_str(), bytes);
        }
        if (fetched)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumSTATSTG**) override { return E_NOTIMPL; }
};

} // namespace

TEST(MessageStorageCopyTest, AStorageDropMakesTheSameTaskAndLeavesTheAttachmentsBehind)
{
    const std::string original = MessageWithLargeAttachment();
    ComPtr<IStorage> storage;
    ASSERT_HRESULT_SUCCEEDED(OpenStorageOnBytes(original, &storage));
    std::string copied;
    ReadStorageBytes(storage, copied);

    EXPECT_LT(copied.size(), AttachmentBytes / 4) << "the attachment's 2 MB stayed behind";
    for (const auto& [name, type] : RootElements(copied))
        EXPECT_EQ(type, static_cast<DWORD>(STGTY_STREAM)) << "no recipient, attachment or map: " << name.c_str();
    const ComPtr<IEmailMessage> from(new OulookMessage(original));
    const ComPtr<IEmailMessage> to(new OulookMessage(copied));
    EXPECT_EQ(to->GetSubject(), L"Budget \x2013 Q3");
    EXPECT_EQ(to->GetBody(), from->GetBody());
    EXPECT_EQ(to->GetRtfBody(), from->GetRtfBody());
    EXPECT_FALSE(to->GetRtfBody().empty());
    EXPECT_EQ(to->GetSearchKey(), from->GetSearchKey());
    EXPECT_EQ(to->GetDeliveryTime(), from->GetDeliveryTime());
    EXPECT_NE(to->GetDeliveryTime(), 0);
    ComPtr<IEmailAddress> sender;
    sender.Attach(to->GetSender());
    EXPECT_EQ(sender->GetName(), L"Ann Lee");
    EXPECT_EQ(sender->GetAddress(), L"ann@example.com");
    EXPECT_EQ(CountOf(from->GetAttachments()), 1);
    EXPECT_EQ(CountOf(to->GetAttachments()), 0);
    EXPECT_EQ(CountOf(to->GetToRecipients()) + CountOf(to->GetCcRecipients()) + CountOf(to->GetBccRecipients()), 0);

    // And as the task list takes it: the same task as the file dropped as a stream.
    const ComPtr<FakeMailDrop> drop(new FakeMailDrop({{L"budget.msg", original, FakeMailDrop::Medium::Storage},
                                                      {L"budget.msg", original, FakeMailDrop::Medium::Stream}}));
    std::vector<SimpleTask> tasks;
    EString leftOut;
    ASSERT_TRUE(LoadExternalTasks(drop, tasks, leftOut));
    EXPECT_EQ(leftOut, L"");
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].GetName(), L"Budget \x2013 Q3");
    EXPECT_EQ(tasks[0].GetText().size(), Body.size());
    EXPECT_EQ(tasks[0].GetText().rfind(L"Figures attached.\r\n...", 0), 0u);
    EXPECT_EQ(tasks[0].GetName(), tasks[1].GetName());
    EXPECT_EQ(tasks[0].GetText(), tasks[1].GetText());
}

TEST(MessageStorageCopyTest, AStorageOfHostileShapeIsCopiedWithinBoundsOrRefused)
{
    // Storages nested deeper than any message, beside the subject: nothing below the root is walked.
    MsgFileBuilder deep;
    deep.AddUnicodeProperty(L"", 0x0E1D, L"deep");
    EString path = AttachmentStorage(0);
    for (int level = 0; level < 300; ++level)
        path += L"/" + AttachmentStorage(0);
    deep.AddUnicodeProperty(path, 0x3707, L"bottom.txt");
    const std::string deepBytes = deep.GetBytes();
    ComPtr<IStorage> deepStorage;
    ASSERT_HRESULT_SUCCEEDED(OpenStorageOnBytes(deepBytes, &deepStorage));
    std::string copied;
    ReadStorageBytes(deepStorage, copied);
    EXPECT_EQ(ComPtr<IEmailMessage>(new OulookMessage(copied))->GetSubject(), L"deep");
    EXPECT_EQ(RootElements(copied).size(), 1u);

    const struct {
        const char* what;
        long long listed;
        HRESULT enumeratorAnswer;
        HRESULT error;
    } cases[] = {
        {"the subject listed without end", -1, S_OK, STG_E_DOCFILECORRUPT},
        {"a listing that fails", 0, STG_E_ACCESSDENIED, STG_E_ACCESSDENIED},
    };
    for (const auto& c : cases) {
        UnrulyStorage source;
        source.listed = c.listed;
        source.enumeratorAnswer = c.enumeratorAnswer;
        copied = "kept";
        try {
            ReadStorageBytes(&source, copied);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Error(), c.error) << c.what;
            EXPECT_FALSE(error.Description().empty()) << c.what;
        }
        EXPECT_EQ(copied, "kept") << c.what;
        EXPECT_LE(source.nextCalls, 100000 / 64 + 2) << c.what << ": elements are asked for in batches";
    }

    // A subject listed a thousand times is read once.
    UnrulyStorage repeated;
    repeated.listed = 1000;
    copied.clear();
    ReadStorageBytes(&repeated, copied);
    EXPECT_EQ(repeated.opens, 1);
    EXPECT_EQ(ComPtr<IEmailMessage>(new OulookMessage(copied))->GetSubject(), L"aaaa");

    // Texts past the limit are refused.
    MsgFileBuilder large;
    large.AddUnicodeProperty(L"", 0x0E1D, EString(512 * 1024, L'a'));
    const std::string largeBytes = large.GetBytes();
    ComPtr<IStorage> largeStorage;
    ASSERT_HRESULT_SUCCEEDED(OpenStorageOnBytes(largeBytes, &largeStorage));
    ComPtr<ILockBytes> memory;
    ASSERT_HRESULT_SUCCEEDED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &memory));
    ComPtr<IStorage> target;
    ASSERT_HRESULT_SUCCEEDED(::StgCreateDocfileOnILockBytes(
        memory, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &target));
    try {
        CopyMessageStreams(largeStorage, target, 1024 * 1024);
        ADD_FAILURE() << "a subject over the limit was copied";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_OUTOFMEMORY);
        EXPECT_NE(error.Description().find(L"1 MB"), EString::npos) << error.Description().c_str();
    }
}
