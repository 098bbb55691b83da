#include "mail/AddressItem.h"

#include "mail/PropertyStream.h"

namespace {
const WORD PidTagDisplayName = 0x3001;
const WORD PidTagEmailAddress = 0x3003;
} // namespace

void AddressItem::LoadStream(const wchar_t* name, IStream* stream)
{
    const DWORD tag = PropertyTagOfStreamName(name);
    if (PropertyId(tag) == PidTagDisplayName)
        SetName(PropertyText(ReadStreamWhole(stream, m_streamLimit), PropertyType(tag)));
    else if (PropertyId(tag) == PidTagEmailAddress)
        SetAddress(PropertyText(ReadStreamWhole(stream, m_streamLimit), PropertyType(tag)));
}
