#include <gtest/gtest.h>

#include "mail/Attachment.h"
#include "mail/EmailAddress.h"
#include "mail/InterfaceVector.h"

namespace {

class TrackedAddress : public EmailAddress {
public:
    explicit TrackedAddress(bool& deleted) : m_deleted(deleted) {}
    ~TrackedAddress() override { m_deleted = true; }

private:
    bool& m_deleted;
};

using AddressVector = InterfaceVector<IEmailAddressVector, IEmailAddress>;

} // namespace

TEST(MailObjectsTest, CountsAndLifetimes)
{
    bool deleted = false;
    auto* address = new TrackedAddress(deleted);
    address->AddRef();
    auto* first = new AddressVector;
    auto* second = new AddressVector;
    first->AddRef();
    second->AddRef();
    first->Add(address);
    second->Add(address);
    EXPECT_EQ(address->Release(), 2u);

    // Out of range: null, and no count changes.
    EXPECT_EQ(first->GetItem(-1), nullptr);
    EXPECT_EQ(first->GetItem(first->GetCount()), nullptr);
    IEmailAddress* item = first->GetItem(0);
    ASSERT_EQ(item, address);
    EXPECT_EQ(item->Release(), 2u);

    first->Release();
    EXPECT_FALSE(deleted);
    second->Release();
    EXPECT_TRUE(deleted);
}

TEST(MailObjectsTest, QueryInterfaceAnswersIUnknownOnly)
{
    auto* attachment = new Attachment;
    IAttachment* asAttachment = attachment;
    asAttachment->AddRef();
    void* out = nullptr;
    ASSERT_EQ(asAttachment->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, static_cast<IUnknown*>(attachment));
    EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 1u);

    out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(asAttachment->QueryInterface(IID_IStream, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(asAttachment->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(asAttachment->Release(), 0u);
}
