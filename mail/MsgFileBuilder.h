// MsgFileBuilder: builds Outlook message files in memory for the tests.
#pragma once

#include <objidl.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/ComPtr.h"
#include "foundation/EString.h"

struct FixedProperty {
    WORD type;
    WORD id;
    unsigned long long value;
};

class MsgFileBuilder {
public:
    MsgFileBuilder();

    // A stream at a path of storages ("__recip_version1.0_#00000000/__substg1.0_3001001F");
    // the storages on the way are created as needed.
    void AddStream(const EString& path, const std::string& bytes);
    void AddStorage(const EString& path);
    // "__substg1.0_" and the tag, under the storage (empty for the root).
    void AddUnicodeProperty(const EString& storage, WORD id, const EString& text);
    void AddAnsiProperty(const EString& storage, WORD id, const std::string& text);
    void AddBinaryProperty(const EString& storage, WORD id, const std::string& bytes);
    // The message's "__properties_version1.0" stream: a 32-byte header and the records.
    void AddFixedProperties(const std::vector<FixedProperty>& records);

    std::string GetBytes();

    static EString StreamName(WORD id, WORD type);
    static std::string Utf16Bytes(const EString& text);

private:
    IStorage* Storage(const EString& path);

    ComPtr<ILockBytes> m_lockBytes;
    ComPtr<IStorage> m_root;
    std::map<EString, ComPtr<IStorage>> m_storages;
};

// The storage names of the n-th recipient and attachment.
EString RecipientStorage(int index);
EString AttachmentStorage(int index);

// Bytes from hexadecimal digits ("2d00..." as in the published test vectors).
std::string Hex(const char* hex);
// A compressed-RTF stream of the uncompressed kind around the text.
std::string UncompressedRtf(const std::string& text);
