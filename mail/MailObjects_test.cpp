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

TEST(MailObjectsTest, QueryInterfaceAlwaysFails)
{
    auto* attachment = new Attachment;
    attachment->AddRef();
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(attachment->QueryInterface(IID_IUnknown, &out), E_NOINTERFACE);
    EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(attachment->Release(), 0u);
}
