// AddressItem: a recipient loaded from a "__recip_" storage of an Outlook message.
#pragma once

#include "mail/EmailAddress.h"
#include "mail/IStreamLoader.h"

class AddressItem : public IStreamLoader, public EmailAddress {
public:
    explicit AddressItem(size_t streamLimit) : m_streamLimit(streamLimit) {}

    void LoadStream(const wchar_t* name, IStream* stream) override;
    void OnFixedProperty(WORD, WORD, const BYTE*) override {}

private:
    size_t m_streamLimit;
};
