// OulookMessage: an Outlook message file (.msg, a compound file) read from memory.
#pragma once

#include <string>

#include "foundation/ComPtr.h"
#include "mail/CRefCounter.h"
#include "mail/EmailAddress.h"
#include "mail/IStreamLoader.h"
#include "mail/InterfaceVector.h"
#include "mail/MailInterfaces.h"

using AddressVector = InterfaceVector<IEmailAddressVector, IEmailAddress>;
using AttachmentVector = InterfaceVector<IAttachmentVector, IAttachment>;

class OulookMessage : public IStreamLoader, public CRefCounter<IEmailMessage> {
public:
    // Loads everything at once. Bytes that are not a compound file leave the
    // message empty; a damaged one keeps what was read before the damage.
    explicit OulookMessage(const std::string& bytes);

    EString GetRtfBody() override { return m_rtfBody; }
    EString GetBody() override { return m_body; }
    EString GetSubject() override { return m_subject; }
    IAttachmentVector* GetAttachments() override { return Referenced(m_attachments.Get()); }
    IEmailAddressVector* GetBccRecipients() override { return Referenced(m_bcc.Get()); }
    IEmailAddressVector* GetCcRecipients() override { return Referenced(m_cc.Get()); }
    IEmailAddressVector* GetToRecipients() override { return Referenced(m_to.Get()); }
    IEmailAddress* GetSender() override { return Referenced(m_sender.Get()); }
    EString GetSearchKey() override { return m_searchKey; }
    DATE GetDeliveryTime() override { return m_deliveryTime; }

    // Whether loading reads this stream of the message's root storage: the
    // fixed properties and the property streams of LoadStream's ids.
    static bool ReadsRootStream(const wchar_t* name);

    void LoadStream(const wchar_t* name, IStream* stream) override;
    void OnFixedProperty(WORD id, WORD type, const BYTE* value) override;

    void AddAttachment(IAttachment* item);
    // Sorted by the display texts: a name found in the Bcc text goes to Bcc,
    // else one found in the Cc text to Cc, else to To.
    void AddRecipient(IEmailAddress* item);

private:
    template <class T>
    static T* Referenced(T* object)
    {
        object->AddRef();
        return object;
    }

    void LoadMessageStorage(IStorage* storage, IStreamLoader& loader);
    void LoadSubStorage(IStorage* storage, const wchar_t* name);
    void LoadSubStream(IStorage* storage, const wchar_t* name, IStreamLoader& loader);
    void LoadFixedProperties(IStream* stream);
    EString ReadRtfBodyProperty(IStream* stream);

    size_t m_streamLimit;
    // Elements the walk may still visit: a damaged directory can reach the
    // same storages over and over.
    int m_elementBudget;

    EString m_subject;
    EString m_body;
    EString m_rtfBody;
    EString m_displayTo;
    EString m_displayCc;
    EString m_displayBcc;
    EString m_searchKey;
    DATE m_deliveryTime = 0;
    ComPtr<EmailAddress> m_sender;
    ComPtr<AttachmentVector> m_attachments;
    ComPtr<AddressVector> m_to;
    ComPtr<AddressVector> m_cc;
    ComPtr<AddressVector> m_bcc;
};
