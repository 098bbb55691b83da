// AttachItem: an attachment loaded from an "__attach_" storage of an Outlook message.
#pragma once

#include "mail/Attachment.h"
#include "mail/IStreamLoader.h"

class AttachItem : public IStreamLoader, public Attachment {
public:
    explicit AttachItem(size_t streamLimit) : m_streamLimit(streamLimit) {}

    void LoadStream(const wchar_t* name, IStream* stream) override;
    void OnFixedProperty(WORD, WORD, const BYTE*) override {}

private:
    size_t m_streamLimit;
};
