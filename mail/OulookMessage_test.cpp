#include <gtest/gtest.h>

#include <cmath>

#include "foundation/ComPtr.h"
#include "mail/MsgFileBuilder.h"
#include "mail/OulookMessage.h"

namespace {

const WORD PidTagSenderName = 0x0C1A;
const WORD PidTagSenderEmailAddress = 0x0C1F;
const WORD PidTagDisplayBcc = 0x0E02;
const WORD PidTagDisplayCc = 0x0E03;
const WORD PidTagDisplayTo = 0x0E04;
const WORD PidTagNormalizedSubject = 0x0E1D;
const WORD PidTagBody = 0x1000;
const WORD PidTagRtfCompressed = 0x1009;
const WORD PidTagSearchKey = 0x300B;
const WORD PidTagDisplayName = 0x3001;
const WORD PidTagEmailAddress = 0x3003;
const WORD PidTagAttachDataBinary = 0x3701;
const WORD PidTagAttachLongFilename = 0x3707;

unsigned long long FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return (static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

std::vector<EString> Names(IEmailAddressVector* vector)
{
    std::vector<EString> names;
    for (int i = 0; i < vector->GetCount(); ++i) {
        ComPtr<IEmailAddress> item;
        item.Attach(vector->GetItem(i));
        names.push_back(item->GetName());
    }
    vector->Release();
    return names;
}

ComPtr<IEmailMessage> Read(const std::string& bytes)
{
    return ComPtr<IEmailMessage>(new OulookMessage(bytes));
}

} // namespace

TEST(OulookMessageTest, ReadsPropertiesRecipientsAndAttachments)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", PidTagNormalizedSubject, L"Quarterly review \x20AC");
    file.AddAnsiProperty(L"", PidTagBody, "Agenda attached.");
    file.AddUnicodeProperty(L"", PidTagSenderName, L"Ann Lee");
    file.AddUnicodeProperty(L"", PidTagSenderEmailAddress, L"ann@example.com");
    file.AddBinaryProperty(L"", PidTagSearchKey, std::string("\x01\xAB\x00\x10", 4));
    file.AddUnicodeProperty(L"", PidTagDisplayTo, L"Bob Stone");
    file.AddUnicodeProperty(L"", PidTagDisplayCc, L"Team; Sales Desk");
    file.AddUnicodeProperty(L"", PidTagDisplayBcc, L"Carol");
    const wchar_t* recipients[] = {L"Bob Stone", L"sales", L"carol"};
    for (int i = 0; i < 3; ++i) {
        file.AddUnicodeProperty(RecipientStorage(i), PidTagDisplayName, recipients[i]);
        file.AddUnicodeProperty(RecipientStorage(i), PidTagEmailAddress, L"x@example.com");
    }
    file.AddUnicodeProperty(AttachmentStorage(0), PidTagAttachLongFilename, L"plan.xls");
    file.AddBinaryProperty(AttachmentStorage(0), PidTagAttachDataBinary, std::string("\0\1\2\3", 4));
    // The delivery time sits in the last record.
    file.AddFixedProperties({{0x0003, 0x0E07, 1}, {0x0040, 0x0E06, FileTimeOf(2024, 3, 1, 12, 30)}});
    file.AddStorage(L"__nameid_version1.0");

    const ComPtr<IEmailMessage> message = Read(file.GetBytes());
    EXPECT_EQ(message->GetSubject(), L"Quarterly review \x20AC");
    EXPECT_EQ(message->GetBody(), L"Agenda attached.");
    EXPECT_EQ(message->GetSearchKey(), L"01ab0010");

    ComPtr<IEmailAddress> sender;
    sender.Attach(message->GetSender());
    EXPECT_EQ(sender->GetName(), L"Ann Lee");
    EXPECT_EQ(sender->GetAddress(), L"ann@example.com");

    EXPECT_EQ(Names(message->GetToRecipients()), std::vector<EString>{L"Bob Stone"});
    EXPECT_EQ(Names(message->GetCcRecipients()), std::vector<EString>{L"sales"});
    EXPECT_EQ(Names(message->GetBccRecipients()), std::vector<EString>{L"carol"});

    ComPtr<IAttachmentVector> attachments;
    attachments.Attach(message->GetAttachments());
    ASSERT_EQ(attachments->GetCount(), 1);
    ComPtr<IAttachment> attachment;
    attachment.Attach(attachments->GetItem(0));
    EXPECT_EQ(attachment->GetFileName(), L"plan.xls");
    EXPECT_EQ(attachment->GetData(), std::string("\0\1\2\3", 4));

    // Local time of 12:30 UTC: whole or half hours away, on the same minute.
    SYSTEMTIME utc = {2024, 3, 0, 1, 12, 30, 0, 0};
    DATE utcDate = 0;
    SystemTimeToVariantTime(&utc, &utcDate);
    const double hours = (message->GetDeliveryTime() - utcDate) * 24;
    EXPECT_LE(std::fabs(hours), 14.0);
    EXPECT_NEAR(hours * 2, std::round(hours * 2), 1e-6);
}

TEST(OulookMessageTest, BytesThatAreNoCompoundFileGiveAnEmptyMessage)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", PidTagNormalizedSubject, L"cut short");
    const std::string whole = file.GetBytes();
    const std::string cases[] = {"", std::string(16, '\0'), "Subject: not a compound file\r\n", whole.substr(0, 512)};
    for (const std::string& bytes : cases) {
        const ComPtr<IEmailMessage> message = Read(bytes);
        EXPECT_EQ(message->GetSubject(), L"");
        EXPECT_EQ(message->GetBody(), L"");
        EXPECT_EQ(message->GetDeliveryTime(), 0.0);
        EXPECT_EQ(Names(message->GetToRecipients()).size(), 0u);
    }
}

TEST(OulookMessageTest, StreamNamesAndTextTypes)
{
    struct Case {
        const wchar_t* name;
        std::string bytes;
        const wchar_t* subject;
    } cases[] = {
        {L"__substg1.0_0E1D001F", MsgFileBuilder::Utf16Bytes(L"wide"), L"wide"},
        {L"__substg1.0_0E1D001E", std::string("narrow\0", 7), L"narrow"},
        {L"__substg1.0_0e1d001f", MsgFileBuilder::Utf16Bytes(L"lower hex"), L"lower hex"},
        // Odd length and no terminator: the last whole character ends it.
        {L"__substg1.0_0E1D001F", std::string("A\0B\0C", 5), L"AB"},
        {L"__substg1.0_0E1D001E", "no terminator", L"no terminator"},
        {L"0E1D001F", MsgFileBuilder::Utf16Bytes(L"too short"), L""},
        {L"__substg1.0_0E1DX01F", MsgFileBuilder::Utf16Bytes(L"not hex"), L""},
    };
    for (const Case& c : cases) {
        MsgFileBuilder file;
        file.AddStream(c.name, c.bytes);
        EXPECT_EQ(Read(file.GetBytes())->GetSubject(), c.subject) << c.name;
    }
}

TEST(OulookMessageTest, AttachmentsAndRecipientsComeFromTheMessagesOwnLevel)
{
    // An attached message keeps its own attachments and recipients, and
    // damaged files nest attachment storages in one another.
    const EString attached = AttachmentStorage(0) + L"/__substg1.0_3701000D";
    MsgFileBuilder file;
    file.AddUnicodeProperty(RecipientStorage(0), PidTagDisplayName, L"outer recipient");
    file.AddUnicodeProperty(AttachmentStorage(0), PidTagAttachLongFilename, L"outer.msg");
    file.AddUnicodeProperty(attached + L"/" + RecipientStorage(0), PidTagDisplayName, L"inner recipient");
    file.AddUnicodeProperty(attached + L"/" + AttachmentStorage(0), PidTagAttachLongFilename, L"inner.txt");
    EString nested = AttachmentStorage(0);
    for (int level = 1; level < 40; ++level) {
        nested += L"/" + AttachmentStorage(0);
        file.AddUnicodeProperty(nested, PidTagAttachLongFilename, EString::Formatted(L"%d.txt", level));
        file.AddUnicodeProperty(nested + L"/" + RecipientStorage(0), PidTagDisplayName, L"nested recipient");
    }
    const ComPtr<IEmailMessage> message = Read(file.GetBytes());
    ComPtr<IAttachmentVector> attachments;
    attachments.Attach(message->GetAttachments());
    ASSERT_EQ(attachments->GetCount(), 1);
    ComPtr<IAttachment> attachment;
    attachment.Attach(attachments->GetItem(0));
    EXPECT_EQ(attachment->GetFileName(), L"outer.msg");
    EXPECT_EQ(Names(message->GetToRecipients()), std::vector<EString>{L"outer recipient"});
}

TEST(OulookMessageTest, RtfBodies)
{
    const std::string lzfu = Hex("2d0000002b0000004c5a4675f1c5c7a703000a007263706731323542320af32068656c090020627705b06c"
                                 "647d0a800fa0");
    struct Case {
        const char* what;
        std::string stream;
        const wchar_t* rtfBody;
    } cases[] = {
        {"compressed", lzfu, L"{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n"},
        {"html carried in rtf",
         UncompressedRtf("{\\rtf1\\ansi\\fromhtml1 {\\*\\htmltag19 <html>}\\htmlrtf {\\fonttbl}\\htmlrtf0 Hi\\par "
                         "{\\*\\htmltag27 </html>}}"),
         L"<html>Hi\r\n</html>"},
        {"html marker without tags", UncompressedRtf("{\\rtf1\\fromhtml1 plain}"), L""},
        {"text marker", UncompressedRtf("{\\rtf1\\fromtext {\\*\\htmltag1 x}}"), L"{\\rtf1\\fromtext {\\*\\htmltag1 x}}"},
        {"wrong length", lzfu.substr(0, lzfu.size() - 1), L""},
    };
    for (const Case& c : cases) {
        MsgFileBuilder file;
        file.AddUnicodeProperty(L"", PidTagNormalizedSubject, L"kept");
        file.AddBinaryProperty(L"", PidTagRtfCompressed, c.stream);
        const ComPtr<IEmailMessage> message = Read(file.GetBytes());
        EXPECT_EQ(message->GetRtfBody(), c.rtfBody) << c.what;
        EXPECT_EQ(message->GetSubject(), L"kept") << c.what;
    }
}
