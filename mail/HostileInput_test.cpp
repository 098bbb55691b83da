// Damaged and hostile mail files through every reader: each must end, within
// modest memory, whatever the bytes say. The readers' own budgets bound the
// work per input; the test's time-out catches a reader that loses its bound.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstring>
#include <functional>
#include <random>

#include "foundation/ComPtr.h"
#include "mail/CMimeCodeBase64.h"
#include "mail/CMimeCodeQP.h"
#include "mail/CMimeEncodedWord.h"
#include "mail/CMimeMessage.h"
#include "mail/CompressedRtf.h"
#include "mail/MimeCharset.h"
#include "mail/MimeMailTexts.h"
#include "mail/MimeRegistry.h"
#include "mail/MsgFileBuilder.h"
#include "mail/OulookMessage.h"
#include "mail/RtfHtml.h"

namespace {

// Damages sample files the ways broken or hostile files are damaged.
class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    // One to three damages on top of each other.
    std::string Damage(const std::string& sample)
    {
        std::string bytes = MutateOnce(sample);
        for (size_t more = Below(3); more > 0; --more)
            bytes = MutateOnce(bytes);
        return bytes;
    }

private:
    size_t Below(size_t limit) { return limit ? m_random() % limit : 0; }

    std::string MutateOnce(std::string bytes)
    {
        if (bytes.empty())
            return bytes;
        switch (Below(6)) {
        case 0:
            bytes.resize(Below(bytes.size()));
            break;
        case 1:
            for (size_t count = 1 + Below(8); count > 0; --count)
                bytes[Below(bytes.size())] ^= static_cast<char>(1 + Below(255));
            break;
        case 2: {
            static const uint32_t huge[] = {0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0x00010000};
            const uint32_t value = Below(2) ? huge[Below(5)] : static_cast<uint32_t>(m_random());
            if (bytes.size() >= 4)
                memcpy(&bytes[Below(bytes.size() - 3) & ~size_t(3)], &value, 4);
            break;
        }
        case 3: {
            const size_t start = Below(bytes.size());
            const size_t length = Below(bytes.size() - start) + 1;
            bytes.insert(Below(bytes.size()), bytes.substr(start, length));
            break;
        }
        case 4: {
            const size_t start = Below(bytes.size());
            bytes.erase(start, Below(bytes.size() - start) + 1);
            break;
        }
        default: {
            static const char special[] = "\r\n=?\"\\{}-;:_ \t'\0";
            for (size_t count = 1 + Below(6); count > 0; --count)
                bytes[Below(bytes.size())] = special[Below(sizeof(special) - 1)];
            break;
        }
        }
        return bytes;
    }

    std::mt19937 m_random;
};

const char HtmlRtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\fromhtml1 \\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "{\\*\\htmltag19 <html>}{\\*\\htmltag34 <head>}{\\*\\mhtmltag84 <img src=\"cid:1\">}"
    "{\\*\\htmltag84 <img src=\"a.jpg\">}\\htmlrtf {\\b\\htmlrtf0 Bold \\'e9\\par\\tab x\\li720\\fi-360 "
    "{\\pntext 1.}\\{brace\\}\\\\}{\\*\\htmltag27 </html>}}";

const std::string RtfSamples[] = {
    Hex("2d0000002b0000004c5a4675f1c5c7a703000a007263706731323542320af32068656c090020627705b06c647d0a800fa0"),
    Hex("1a0000001c0000004c5a4675e2d44b51410004205758595a0d6e7d010eb0"),
    UncompressedRtf(HtmlRtf),
};

const char* const MimeSamples[] = {
    "From: =?UTF-8?Q?Ren=C3=A9e?= <renee@example.com>\r\n"
    "Subject: =?UTF-8?B?UXVhcnRlcmx5?=\r\n =?UTF-8?Q?_review?=\r\n"
    "Content-Type: multipart/alternative; boundary=\"b1\"\r\n"
    "\r\n"
    "preamble\r\n"
    "--b1\r\n"
    "Content-Type: text/plain; charset=UTF-8\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "Caf=C3=A9 at ten=\r\n, soft.\r\n"
    "--b1\r\n"
    "Content-Type: multipart/related; boundary=b2\r\n"
    "\r\n"
    "--b2\r\n"
    "Content-Type: text/html; charset=\"iso-8859-1\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "PGh0bWw+Q2Fm6TwvaHRtbD4=\r\n"
    "--b2\r\n"
    "Content-Type: image/png; name=a.png\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "iVBORw0KGgo=\r\n"
    "--b2--\r\n"
    "--b1--\r\n",
    "Subject: bare line feeds\n"
    "Content-Type: multipart/mixed; boundary=x\n"
    "\n"
    "--x\n"
    "Content-Type: message/rfc822\n"
    "\n"
    "Subject: inner\n"
    "\n"
    "inner body\n"
    "--x--\n",
};

// A message whose attachments hold attachments, deeper than the reader goes.
std::string NestedAttachments(int depth)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, L"nested");
    EString path;
    for (int i = 0; i < depth; ++i) {
        path += (path.empty() ? L"" : L"/") + AttachmentStorage(0);
        file.AddUnicodeProperty(path, 0x3707, L"level.txt");
    }
    return file.GetBytes();
}

std::string SampleMessage()
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, L"Budget");
    file.AddAnsiProperty(L"", 0x1000, "Please review.");
    file.AddBinaryProperty(L"", 0x1009, RtfSamples[2]);
    file.AddUnicodeProperty(L"", 0x0E03, L"Sales");
    file.AddUnicodeProperty(RecipientStorage(0), 0x3001, L"Sales");
    file.AddUnicodeProperty(AttachmentStorage(0), 0x3707, L"a.txt");
    file.AddBinaryProperty(AttachmentStorage(0), 0x3701, std::string(700, 'a'));
    file.AddBinaryProperty(AttachmentStorage(1), 0x3701, std::string(5000, 'b'));
    file.AddFixedProperties({{0x0040, 0x0E06, 0x01D0000000000000ULL}});
    return file.GetBytes();
}

void ReadOutlook(const std::string& bytes)
{
    ComPtr<IEmailMessage> message(new OulookMessage(bytes));
    message->GetSubject();
    message->GetRtfBody();
    ComPtr<IAttachmentVector> attachments;
    attachments.Attach(message->GetAttachments());
    for (int i = 0; i < attachments->GetCount(); ++i) {
        ComPtr<IAttachment> attachment;
        attachment.Attach(attachments->GetItem(i));
        attachment->GetData();
    }
}

void ReadRtf(const std::string& bytes)
{
    const std::string rtf = DecompressRtf(bytes.data(), bytes.size());
    if (IsRtfFromHtml(rtf))
        ExtractHtmlFromRtf(rtf);
    ExtractHtmlFromRtf(bytes);
}

void ReadMime(const std::string& bytes)
{
    CMimeMessage message;
    message.Load(bytes.data(), bytes.size());
    MimeMailSubject(message);
    MimeMailText(message);
    std::vector<CMimeBody*> leaves;
    message.GetLeaves(leaves);
    for (CMimeBody* leaf : leaves)
        MimeTextToWide(leaf->GetContent(), leaf->GetCharset());
    std::vector<CMimeBody*> attachments;
    message.GetAttachments(attachments);
    std::string stored;
    message.Store(stored);
}

void Decode(const std::string& bytes)
{
    CMimeCodeBase64 base64;
    CMimeCodeQP qp;
    CMimeEncodedWord words;
    for (CMimeCodeBase* coder : std::initializer_list<CMimeCodeBase*>{&base64, &qp, &words}) {
        coder->SetInput(bytes.data(), bytes.size(), false);
        const std::string decoded = coder->GetOutput();
        EXPECT_LE(decoded.size(), coder->GetOutputLength());
        coder->SetInput(decoded.data(), decoded.size(), true);
        EXPECT_LE(coder->GetOutput().size(), coder->GetOutputLength());
    }
}

// Runs the reader over damaged copies of every sample.
void DamageAndRead(const std::vector<std::string>& samples, int count, unsigned seed,
                   const std::function<void(const std::string&)>& read)
{
    Mutator mutator(seed);
    for (int i = 0; i < count; ++i)
        read(mutator.Damage(samples[static_cast<size_t>(i) % samples.size()]));
}

size_t PeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    return K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PeakWorkingSetSize : 0;
}

const size_t MemoryLimit = 512u * 1024 * 1024;

} // namespace

class HostileInputTest : public testing::Test {
protected:
    void SetUp() override { RegisterDefaultMimeCodings(); }
    void TearDown() override { EXPECT_LT(PeakMemory(), MemoryLimit); }
};

TEST_F(HostileInputTest, OutlookMessages)
{
    DamageAndRead({SampleMessage(), NestedAttachments(40)}, 10000, 101, ReadOutlook);
    ReadOutlook(NestedAttachments(40));
}

TEST_F(HostileInputTest, CompressedRtf)
{
    std::vector<std::string> samples(std::begin(RtfSamples), std::end(RtfSamples));
    samples.push_back(HtmlRtf);
    DamageAndRead(samples, 20000, 202, ReadRtf);
    ReadRtf(UncompressedRtf("{\\*\\htmltag1 " + std::string(200000, '{') + std::string(100000, '\\')));
}

TEST_F(HostileInputTest, MimeMessages)
{
    DamageAndRead({MimeSamples[0], MimeSamples[1]}, 20000, 303, ReadMime);

    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "Content-Type: multipart/mixed; boundary=\"n" + std::to_string(i) + "_\"\r\n\r\n--n" + std::to_string(i) + "_\r\n";
    ReadMime(deep);
    ReadMime("Content-Type: multipart/mixed; boundary=e\r\n\r\n" + std::string(20000, '\n'));
    std::string manyParts = "Content-Type: multipart/mixed; boundary=p\r\n\r\n";
    for (int i = 0; i < 50000; ++i)
        manyParts += "--p\n\n";
    ReadMime(manyParts);
    ReadMime(std::string(100000, 'a') + ":" + std::string(100000, ' ') + "\r\n");

    // A boundary of dashes over lines of dashes: a search that compared the
    // boundary at every byte would take hours here.
    const std::string dashes(100000, '-');
    std::string dashBody = "Content-Type: multipart/mixed; boundary=\"" + dashes + "\"\r\n\r\n";
    for (int line = 0; line < 100; ++line)
        dashBody += std::string(200000 + line, '-') + "\r\n";
    ReadMime(dashBody);
}

TEST_F(HostileInputTest, Codecs)
{
    DamageAndRead({"TWFu\r\nTWE=", "a=3Db=\r\nc=\nd=", "=?UTF-8?Q?Re:_x?= =?ISO-8859-1?B?Q2Fm6Q==?="}, 20000, 404, Decode);
    Decode(std::string(50000, '=') + std::string(50000, '?'));
}
