// FileWriteStream: a stream that writes a new file, every write to the end or a failure.
#pragma once

#include <utility>

#include "document/xml/WriteOnlyStream.h"
#include "foundation/ComPtr.h"
#include "foundation/EString.h"
#include "foundation/UniqueHandle.h"

class FileWriteStream : public WriteOnlyStream {
public:
    // Creates or empties the file; raises a ComError when it cannot be opened.
    static ComPtr<FileWriteStream> Create(const EString& path);

    // Fails with the system's reason when the disk takes less than offered.
    HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG size, ULONG* written) override;
    // Closes the file; a failed close is a failed save.
    HRESULT Close();

private:
    explicit FileWriteStream(UniqueHandle file) : m_file(std::move(file)) {}
    ~FileWriteStream() override;

    UniqueHandle m_file;
};
