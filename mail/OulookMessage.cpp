#include "mail/OulookMessage.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "foundation/CTFile.h"
#include "mail/AddressItem.h"
#include "mail/AttachItem.h"
#include "mail/CompressedRtf.h"
#include "mail/MessageStorage.h"
#include "mail/PropertyStream.h"
#include "mail/RtfHtml.h"

namespace {

const WORD PidTagSenderName = 0x0C1A;
const WORD PidTagSenderEmailAddress = 0x0C1F;
const WORD PidTagDisplayBcc = 0x0E02;
const WORD PidTagDisplayCc = 0x0E03;
const WORD PidTagDisplayTo = 0x0E04;
const WORD PidTagMessageDeliveryTime = 0x0E06;
const WORD PidTagNormalizedSubject = 0x0E1D;
const WORD PidTagBody = 0x1000;
const WORD PidTagRtfCompressed = 0x1009;
const WORD PidTagSearchKey = 0x300B;

// The properties LoadStream takes from the message's own streams.
const WORD RootStreamProperties[] = {PidTagSenderName, PidTagSenderEmailAddress, PidTagDisplayBcc,
                                     PidTagDisplayCc,  PidTagDisplayTo,          PidTagNormalizedSubject,
                                     PidTagBody,       PidTagRtfCompressed,      PidTagSearchKey};

const wchar_t AttachPrefix[] = L"__attach_";
const wchar_t RecipientPrefix[] = L"__recip_";
const wchar_t FixedPropertiesPrefix[] = L"__properties_version1";

const size_t FixedHeaderSize = 32;
const size_t FixedRecordSize = 16;

// Case-sensitive; a name no longer than the prefix never matches.
template <size_t N>
bool HasPrefix(const wchar_t* name, const wchar_t (&prefix)[N])
{
    return wcslen(name) > N - 1 && wcsncmp(name, prefix, N - 1) == 0;
}

EString Upper(EString text)
{
    if (!text.empty())
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace

OulookMessage::OulookMessage(const std::string& bytes)
    : m_streamLimit(bytes.size()),
      m_elementBudget(MaxMessageElements),
      m_sender(new EmailAddress),
      m_attachments(new AttachmentVector),
      m_to(new AddressVector),
      m_cc(new AddressVector),
      m_bcc(new AddressVector)
{
    try {
        const ComPtr<IStorage> root = OpenStorageOnMemory(bytes);
        LoadMessageStorage(root, *this);
    } catch (const ComError&) {
        // Nothing more to read: what was loaded so far stays.
    } catch (const std::bad_alloc&) {
    }
}

bool OulookMessage::ReadsRootStream(const wchar_t* name)
{
    if (HasPrefix(name, FixedPropertiesPrefix))
        return true;
    const WORD id = PropertyId(PropertyTagOfStreamName(name));
    return std::find(std::begin(RootStreamProperties), std::end(RootStreamProperties), id) !=
           std::end(RootStreamProperties);
}

void OulookMessage::LoadMessageStorage(IStorage* storage, IStreamLoader& loader)
{
    ComPtr<IEnumSTATSTG> elements;
    ThrowIfFailed(storage->EnumElements(0, nullptr, 0, &elements));
    bool first = true;
    for (;;) {
        STATSTG element = {};
        const HRESULT hr = elements->Next(1, &element, nullptr);
        if (hr != S_OK) {
            if (first && FAILED(hr))
                ThrowComError(hr);
            break;
        }
        first = false;
        if (!element.pwcsName)
            continue;
        if (--m_elementBudget < 0) {
            ::CoTaskMemFree(element.pwcsName);
            ThrowComError(STG_E_DOCFILECORRUPT);
        }
        // Storages inside an attachment or a recipient (an embedded message's
        // own attachments and recipients) are not the message's.
        if (element.type == STGTY_STORAGE && &loader == this)
            LoadSubStorage(storage, element.pwcsName);
        else if (element.type == STGTY_STREAM)
            LoadSubStream(storage, element.pwcsName, loader);
        ::CoTaskMemFree(element.pwcsName);
    }
}

void OulookMessage::LoadSubStorage(IStorage* storage, const wchar_t* name)
{
    const bool attachment = HasPrefix(name, AttachPrefix);
    const bool recipient = HasPrefix(name, RecipientPrefix);
    // Named-property mappings are not read.
    if (!attachment && !recipient)
        return;
    ComPtr<IStorage> child;
    if (FAILED(storage->OpenStorage(name, nullptr, STGM_SHARE_EXCLUSIVE, nullptr, 0, &child)))
        return;
    if (attachment) {
        ComPtr<AttachItem> item(new AttachItem(m_streamLimit));
        LoadMessageStorage(child, *item);
        AddAttachment(item);
    } else {
        ComPtr<AddressItem> item(new AddressItem(m_streamLimit));
        LoadMessageStorage(child, *item);
        AddRecipient(item);
    }
}

void OulookMessage::LoadSubStream(IStorage* storage, const wchar_t* name, IStreamLoader& loader)
{
    ComPtr<IStream> stream;
    if (FAILED(storage->OpenStream(name, nullptr, STGM_SHARE_EXCLUSIVE, 0, &stream)))
        return;
    if (HasPrefix(name, FixedPropertiesPrefix)) {
        // Those of recipients and attachments carry nothing that is read.
        if (&loader == this)
            LoadFixedProperties(stream);
        return;
    }
    loader.LoadStream(name, stream);
}

void OulookMessage::LoadFixedProperties(IStream* stream)
{
    const std::string bytes = ReadStreamWhole(stream, m_streamLimit);
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    for (size_t pos = FixedHeaderSize; pos + FixedRecordSize <= bytes.size(); pos += FixedRecordSize) {
        const WORD type = static_cast<WORD>(data[pos] | (data[pos + 1] << 8));
        const WORD id = static_cast<WORD>(data[pos + 2] | (data[pos + 3] << 8));
        OnFixedProperty(id, type, data + pos + 8);
    }
}

void OulookMessage::LoadStream(const wchar_t* name, IStream* stream)
{
    const DWORD tag = PropertyTagOfStreamName(name);
    const WORD type = PropertyType(tag);
    switch (PropertyId(tag)) {
    case PidTagRtfCompressed:
        m_rtfBody = ReadRtfBodyProperty(stream);
        break;
    case PidTagNormalizedSubject:
        m_subject = PropertyText(ReadStreamWhole(stream, m_streamLimit), type);
        break;
    case PidTagBody:
        m_body = PropertyText(ReadStreamWhole(stream, m_streamLimit), type);
        break;
    case PidTagSearchKey:
        m_searchKey = HexText(ReadStreamWhole(stream, m_streamLimit));
        break;
    case PidTagDisplayTo:
        m_displayTo = PropertyText(ReadStreamWhole(stream, m_streamLimit), type);
        break;
    case PidTagDisplayCc:
        m_displayCc = PropertyText(ReadStreamWhole(stream, m_streamLimit), type);
        break;
    case PidTagDisplayBcc:
        m_displayBcc = PropertyText(ReadStreamWhole(stream, m_streamLimit), type);
        break;
    case PidTagSenderName:
        m_sender->SetName(PropertyText(ReadStreamWhole(stream, m_streamLimit), type));
        break;
    case PidTagSenderEmailAddress:
        m_sender->SetAddress(PropertyText(ReadStreamWhole(stream, m_streamLimit), type));
        break;
    default:
        break;
    }
}

void OulookMessage::OnFixedProperty(WORD id, WORD, const BYTE* value)
{
    if (id != PidTagMessageDeliveryTime)
        return;
    FILETIME utc;
    utc.dwLowDateTime = value[0] | (value[1] << 8) | (value[2] << 16) | (static_cast<DWORD>(value[3]) << 24);
    utc.dwHighDateTime = value[4] | (value[5] << 8) | (value[6] << 16) | (static_cast<DWORD>(value[7]) << 24);
    FILETIME local;
    SYSTEMTIME time;
    DATE date = 0;
    if (::FileTimeToLocalFileTime(&utc, &local) && ::FileTimeToSystemTime(&local, &time) &&
        ::SystemTimeToVariantTime(&time, &date))
        m_deliveryTime = date;
}

EString OulookMessage::ReadRtfBodyProperty(IStream* stream)
{
    const std::string compressed = ReadStreamWhole(stream, m_streamLimit);
    std::string rtf = DecompressRtf(compressed.data(), compressed.size());
    if (IsRtfFromHtml(rtf))
        rtf = ExtractHtmlFromRtf(rtf);
    const size_t end = rtf.find('\0');
    return AnsiToWide(rtf.data(), end == std::string::npos ? rtf.size() : end);
}

void OulookMessage::AddAttachment(IAttachment* item)
{
    m_attachments->Add(item);
}

void OulookMessage::AddRecipient(IEmailAddress* item)
{
    const EString name = Upper(item->GetName());
    if (Upper(m_displayBcc).find(name) != EString::npos)
        m_bcc->Add(item);
    else if (Upper(m_displayCc).find(name) != EString::npos)
        m_cc->Add(item);
    else
        m_to->Add(item);
}
