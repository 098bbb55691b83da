#include <gtest/gtest.h>

#include "mail/CFieldCodeBase.h"
#include "mail/CMimeBody.h"
#include "mail/CMimeCodeBase64.h"
#include "mail/MimeRegistry.h"

namespace {

class MarkedBody : public CMimeBody {
};

CMimeBody* MakeMarkedBody() { return new MarkedBody; }

std::string Decoded(const char* encoding, const std::string& input)
{
    const std::unique_ptr<CMimeCodeBase> coder = CreateMimeCoder(encoding);
    coder->SetInput(input.data(), input.size(), false);
    return coder->GetOutput();
}

} // namespace

TEST(MimeRegistryTest, FindsByNameInAnyCase)
{
    RegisterDefaultMimeCodings();
    EXPECT_EQ(Decoded("BASE64", "TWFu"), "Man");
    EXPECT_EQ(Decoded("Quoted-Printable", "a=3Db"), "a=b");
    // Unknown and 8-bit content passes unchanged.
    const std::string raw = "x=3D\xE9 TWFu";
    for (const char* encoding : {"8bit", "7bit", "binary", "x-unknown", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(Decoded(encoding, raw), raw) << (encoding ? encoding : "null");

    EXPECT_NE(dynamic_cast<CFieldCodeText*>(CreateFieldCoder("subject").get()), nullptr);
    EXPECT_NE(dynamic_cast<CFieldCodeAddress*>(CreateFieldCoder("RESENT-CC").get()), nullptr);
    EXPECT_NE(dynamic_cast<CFieldCodeParameter*>(CreateFieldCoder("content-disposition").get()), nullptr);
    const auto plain = CreateFieldCoder("X-Mailer");
    EXPECT_EQ(typeid(*plain), typeid(CFieldCodeBase));
}

TEST(MimeRegistryTest, RegistersAndRemoves)
{
    RegisterMediaTypeFactory("Image", &MakeMarkedBody);
    EXPECT_NE(dynamic_cast<MarkedBody*>(CreateMimeBody("image").get()), nullptr);
    const auto text = CreateMimeBody("");
    EXPECT_EQ(typeid(*text), typeid(CMimeBody));
    RegisterMediaTypeFactory("IMAGE", nullptr);
    const auto image = CreateMimeBody("image");
    EXPECT_EQ(typeid(*image), typeid(CMimeBody));

    RegisterMimeCoder("base64", nullptr);
    EXPECT_EQ(Decoded("base64", "TWFu"), "TWFu");
    RegisterDefaultMimeCodings();
    EXPECT_EQ(Decoded("base64", "TWFu"), "Man");
}

TEST(MimeRegistryTest, FoldingSwitch)
{
    RegisterDefaultMimeCodings();
    SetMimeCoder7bit(true);
    const std::string line = std::string(70, 'a') + " " + std::string(20, 'b');
    const std::unique_ptr<CMimeCodeBase> coder = CreateMimeCoder("7BIT");
    coder->SetInput(line.data(), line.size(), true);
    EXPECT_EQ(coder->GetOutput(), std::string(70, 'a') + "\r\n " + std::string(20, 'b'));

    const std::unique_ptr<CFieldCodeBase> field = CreateFieldCoder("Subject");
    const std::string folded = "a\r\n   b";
    field->SetInput(folded.data(), folded.size(), false);
    EXPECT_EQ(field->GetOutput(), "a b");

    SetMimeCoder7bit(false);
    EXPECT_EQ(Decoded("7bit", line), line);
    field->SetInput(folded.data(), folded.size(), false);
    EXPECT_EQ(field->GetOutput(), folded);
}
