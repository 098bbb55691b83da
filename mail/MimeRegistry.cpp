#include "mail/MimeRegistry.h"

#include <vector>

#include "mail/CFieldCodeBase.h"
#include "mail/CMimeBody.h"
#include "mail/CMimeCode7bit.h"
#include "mail/CMimeCodeBase64.h"
#include "mail/CMimeCodeQP.h"

namespace {

template <class Factory>
struct Entry {
    std::string name;
    Factory factory;
};

template <class Factory>
std::vector<Entry<Factory>>& Registry()
{
    static std::vector<Entry<Factory>> entries;
    return entries;
}

template <class Factory>
void Register(const char* name, Factory factory)
{
    auto& entries = Registry<Factory>();
    const std::string key = name ? name : "";
    std::erase_if(entries, [&](const Entry<Factory>& entry) { return MimeNameEquals(entry.name.c_str(), key.c_str()); });
    if (factory)
        entries.push_back({key, factory});
}

template <class Factory>
Factory Find(const char* name)
{
    for (const auto& entry : Registry<Factory>())
        if (MimeNameEquals(entry.name.c_str(), name))
            return entry.factory;
    return nullptr;
}

char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch; }

bool g_folding = false;

std::string& DefaultCharset()
{
    static std::string charset;
    return charset;
}

template <class T, class Base>
Base* Make()
{
    return new T;
}

} // namespace

bool MimeNameEquals(const char* a, const char* b)
{
    a = a ? a : "";
    b = b ? b : "";
    for (; *a && *b; ++a, ++b)
        if (Lower(*a) != Lower(*b))
            return false;
    return *a == *b;
}

bool MimeNameStartsWith(const std::string& text, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= text.size() || Lower(text[i]) != Lower(prefix[i]))
            return false;
    return true;
}

void RegisterMimeCoder(const char* name, MimeCoderFactory factory) { Register(name, factory); }
void RegisterFieldCoder(const char* name, FieldCoderFactory factory) { Register(name, factory); }
void RegisterMediaTypeFactory(const char* name, MediaTypeFactory factory) { Register(name, factory); }

std::unique_ptr<CMimeCodeBase> CreateMimeCoder(const char* transferEncoding)
{
    const char* name = transferEncoding && *transferEncoding ? transferEncoding : "7bit";
    const MimeCoderFactory factory = Find<MimeCoderFactory>(name);
    return std::unique_ptr<CMimeCodeBase>(factory ? factory() : new CMimeCodeBase);
}

std::unique_ptr<CFieldCodeBase> CreateFieldCoder(const char* fieldName)
{
    const FieldCoderFactory factory = Find<FieldCoderFactory>(fieldName);
    return std::unique_ptr<CFieldCodeBase>(factory ? factory() : new CFieldCodeBase);
}

std::unique_ptr<CMimeBody> CreateMimeBody(const char* mediaType)
{
    const char* name = mediaType && *mediaType ? mediaType : "text";
    const MediaTypeFactory factory = Find<MediaTypeFactory>(name);
    return std::unique_ptr<CMimeBody>(factory ? factory() : new CMimeBody);
}

void SetMimeCoder7bit(bool on)
{
    g_folding = on;
    const MimeCoderFactory factory = on ? &Make<CMimeCode7bit, CMimeCodeBase> : nullptr;
    RegisterMimeCoder("7bit", factory);
    RegisterMimeCoder("8bit", factory);
}

bool IsMimeFolding() { return g_folding; }

void SetDefaultMimeCharset(const std::string& charset) { DefaultCharset() = charset; }
const std::string& GetDefaultMimeCharset() { return DefaultCharset(); }

void RegisterDefaultMimeCodings()
{
    RegisterMimeCoder("quoted-printable", &Make<CMimeCodeQP, CMimeCodeBase>);
    RegisterMimeCoder("base64", &Make<CMimeCodeBase64, CMimeCodeBase>);
    for (const char* name : {"Subject", "Comments", "Content-Description"})
        RegisterFieldCoder(name, &Make<CFieldCodeText, CFieldCodeBase>);
    for (const char* name : {"From", "To", "Resent-To", "Cc", "Resent-Cc", "Bcc", "Resent-Bcc", "Reply-To", "Resent-Reply-To"})
        RegisterFieldCoder(name, &Make<CFieldCodeAddress, CFieldCodeBase>);
    for (const char* name : {"Content-Type", "Content-Disposition"})
        RegisterFieldCoder(name, &Make<CFieldCodeParameter, CFieldCodeBase>);
}
