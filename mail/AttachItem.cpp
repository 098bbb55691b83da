#include "mail/AttachItem.h"

#include "mail/PropertyStream.h"

namespace {
const WORD PidTagAttachDataBinary = 0x3701;
const WORD PidTagAttachLongFilename = 0x3707;
} // namespace

void AttachItem::LoadStream(const wchar_t* name, IStream* stream)
{
    const DWORD tag = PropertyTagOfStreamName(name);
    if (PropertyId(tag) == PidTagAttachDataBinary)
        m_data = ReadStreamWhole(stream, m_streamLimit);
    else if (PropertyId(tag) == PidTagAttachLongFilename)
        m_fileName = PropertyText(ReadStreamWhole(stream, m_streamLimit), PropertyType(tag));
}
