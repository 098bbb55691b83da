// FakeMailDrop: a data object as a mail program offers dragged messages, for the tests.
#pragma once

#include <objidl.h>

#include <string>
#include <vector>

#include "foundation/EString.h"
#include "foundation/ReadOnlyDataObject.h"

// Answers as the shell's virtual-file sources do: the descriptor only as
// global memory for index -1, a file's contents only in its own medium and
// for its own index, and only for the content aspect.
class FakeMailDrop : public CReadOnlyDataObject {
public:
    enum class Medium { Stream, Storage, Global, Refused };
    struct File {
        EString name;
        std::string bytes;
        Medium medium = Medium::Stream;
    };

    explicit FakeMailDrop(std::vector<File> files);
    // A descriptor of these raw bytes instead of the one the files make.
    void SetDescriptorBytes(std::string bytes) { m_descriptor = std::move(bytes); }
    static std::string DescriptorOf(const std::vector<File>& files);

    bool offersDescriptor = true;
    // How many times each index of the contents was asked for.
    std::vector<int> contentRequests;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;

private:
    virtual ~FakeMailDrop() = default;
    HRESULT FileContents(const File& file, STGMEDIUM* medium) const;

    ULONG m_references = 0;
    std::vector<File> m_files;
    std::string m_descriptor;
};

// A file's bytes as a compound file's root storage, as Outlook hands a message over.
HRESULT OpenStorageOnBytes(const std::string& bytes, IStorage** storage);
