#include "online/StoredPassword.h"

#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "online/CredentialText.h"
#include "online/XmlRpcBase64.h"

namespace {

// Base64 has no colon, so the mark tells the forms apart.
constexpr wchar_t kProtectedMark[] = L"dpapi:";
constexpr size_t kMarkLength = sizeof(kProtectedMark) / sizeof(wchar_t) - 1;

std::string Narrow(const EString& text)
{
    std::string narrow;
    for (const wchar_t ch : text)
        narrow.push_back(ch < 0x80 ? static_cast<char>(ch) : '?');
    return narrow;
}

bool HasMark(const EString& stored)
{
    return stored.compare(0, kMarkLength, kProtectedMark) == 0;
}

class LocalBlob {
public:
    LocalBlob() = default;
    LocalBlob(const LocalBlob&) = delete;
    LocalBlob& operator=(const LocalBlob&) = delete;
    ~LocalBlob()
    {
        if (blob.pbData) {
            ::SecureZeroMemory(blob.pbData, blob.cbData);
            ::LocalFree(blob.pbData);
        }
    }
    std::vector<unsigned char> Bytes() const { return {blob.pbData, blob.pbData + blob.cbData}; }

    DATA_BLOB blob = {};
};

} // namespace

namespace StoredPassword {

EString Protect(const EString& password)
{
    if (password.empty())
        return EString();
    std::vector<unsigned char> plain = CredentialText::ToUtf16Bytes(password);
    DATA_BLOB in = {static_cast<DWORD>(plain.size()), plain.data()};
    LocalBlob out;
    const bool ok = ::CryptProtectData(&in, L"Quorvane", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                                       &out.blob) != FALSE;
    ::SecureZeroMemory(plain.data(), plain.size());
    if (!ok)
        return EString();
    const std::string base64 = XmlRpcBase64::Encode(out.Bytes());
    EString stored = kProtectedMark;
    for (const char ch : base64)
        if (ch != '\n')
            stored.push_back(static_cast<wchar_t>(ch));
    return stored;
}

EString Read(const EString& stored)
{
    if (stored.empty())
        return EString();
    if (!HasMark(stored))
        return CredentialText::Decode(Narrow(stored));
    std::vector<unsigned char> sealed = XmlRpcBase64::Decode(Narrow(stored.substr(kMarkLength)));
    if (sealed.empty())
        return EString();
    DATA_BLOB in = {static_cast<DWORD>(sealed.size()), sealed.data()};
    LocalBlob out;
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob))
        return EString();
    std::vector<unsigned char> plain = out.Bytes();
    const EString password = CredentialText::FromUtf16Bytes(plain);
    ::SecureZeroMemory(plain.data(), plain.size());
    return password;
}

} // namespace StoredPassword
