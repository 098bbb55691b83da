#include "mail/MsgFileBuilder.h"

#include <cstring>

namespace {
const DWORD CreateMode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
}

MsgFileBuilder::MsgFileBuilder()
{
    ThrowIfFailed(::CreateILockBytesOnHGlobal(nullptr, TRUE, &m_lockBytes));
    ThrowIfFailed(::StgCreateDocfileOnILockBytes(m_lockBytes, CreateMode, 0, &m_root));
}

IStorage* MsgFileBuilder::Storage(const EString& path)
{
    if (path.empty())
        return m_root;
    if (const auto found = m_storages.find(path); found != m_storages.end())
        return found->second;
    const size_t slash = path.rfind(L'/');
    IStorage* parent = slash == EString::npos ? m_root.Get() : Storage(path.substr(0, slash));
    const EString name = slash == EString::npos ? path : EString(path.substr(slash + 1));
    ComPtr<IStorage> storage;
    ThrowIfFailed(parent->CreateStorage(name.c_str(), CreateMode, 0, 0, &storage));
    m_storages[path] = storage;
    return storage;
}

void MsgFileBuilder::AddStorage(const EString& path)
{
    Storage(path);
}

void MsgFileBuilder::AddStream(const EString& path, const std::string& bytes)
{
    const size_t slash = path.rfind(L'/');
    IStorage* parent = slash == EString::npos ? m_root.Get() : Storage(path.substr(0, slash));
    const EString name = slash == EString::npos ? path : EString(path.substr(slash + 1));
    ComPtr<IStream> stream;
    ThrowIfFailed(parent->CreateStream(name.c_str(), CreateMode, 0, 0, &stream));
    ULONG written = 0;
    if (!bytes.empty())
        ThrowIfFailed(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
}

EString MsgFileBuilder::StreamName(WORD id, WORD type)
{
    return EString::Formatted(L"__substg1.0_%04X%04X", id, type);
}

std::string MsgFileBuilder::Utf16Bytes(const EString& text)
{
    std::string bytes;
    for (const wchar_t ch : text) {
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>(ch >> 8));
    }
    return bytes + std::string(2, '\0');
}

static EString Under(const EString& storage, const EString& name)
{
    return storage.empty() ? name : EString(storage + L"/" + name);
}

void MsgFileBuilder::AddUnicodeProperty(const EString& storage, WORD id, const EString& text)
{
    AddStream(Under(storage, StreamName(id, 0x001F)), Utf16Bytes(text));
}

void MsgFileBuilder::AddAnsiProperty(const EString& storage, WORD id, const std::string& text)
{
    AddStream(Under(storage, StreamName(id, 0x001E)), text + '\0');
}

void MsgFileBuilder::AddBinaryProperty(const EString& storage, WORD id, const std::string& bytes)
{
    AddStream(Under(storage, StreamName(id, 0x0102)), bytes);
}

void MsgFileBuilder::AddFixedProperties(const std::vector<FixedProperty>& records)
{
    std::string bytes(32, '\0');
    for (const FixedProperty& record : records) {
        char raw[16] = {};
        raw[0] = static_cast<char>(record.type & 0xFF);
        raw[1] = static_cast<char>(record.type >> 8);
        raw[2] = static_cast<char>(record.id & 0xFF);
        raw[3] = static_cast<char>(record.id >> 8);
        raw[4] = 2; // readable
        std::memcpy(raw + 8, &record.value, 8);
        bytes.append(raw, sizeof(raw));
    }
    AddStream(L"__properties_version1.0", bytes);
}

std::string MsgFileBuilder::GetBytes()
{
    for (auto& entry : m_storages)
        ThrowIfFailed(entry.second->Commit(STGC_DEFAULT));
    ThrowIfFailed(m_root->Commit(STGC_DEFAULT));
    ThrowIfFailed(m_lockBytes->Flush());
    STATSTG stat = {};
    ThrowIfFailed(m_lockBytes->Stat(&stat, STATFLAG_NONAME));
    HGLOBAL memory = nullptr;
    ThrowIfFailed(::GetHGlobalFromILockBytes(m_lockBytes, &memory));
    const auto* data = static_cast<const char*>(::GlobalLock(memory));
    std::string bytes(data, static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    return bytes;
}

EString RecipientStorage(int index)
{
    return EString::Formatted(L"__recip_version1.0_#%08X", index);
}

EString AttachmentStorage(int index)
{
    return EString::Formatted(L"__attach_version1.0_#%08X", index);
}

std::string Hex(const char* hex)
{
    std::string bytes;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2)
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16)));
    return bytes;
}

std::string UncompressedRtf(const std::string& text)
{
    std::string bytes(16, '\0');
    const unsigned compressedSize = static_cast<unsigned>(text.size() + 12);
    const unsigned rawSize = static_cast<unsigned>(text.size());
    memcpy(&bytes[0], &compressedSize, 4);
    memcpy(&bytes[4], &rawSize, 4);
    memcpy(&bytes[8], "MELA", 4);
    return bytes + text;
}
