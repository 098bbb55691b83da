// The process-wide MIME registries (coders, field coders, part classes) and switches.
#pragma once

#include <memory>
#include <string>

class CMimeCodeBase;
class CFieldCodeBase;
class CMimeBody;

using MimeCoderFactory = CMimeCodeBase* (*)();
using FieldCoderFactory = CFieldCodeBase* (*)();
using MediaTypeFactory = CMimeBody* (*)();

// Each removes the entries of that name (any letter case), then appends the
// factory unless it is null.
void RegisterMimeCoder(const char* name, MimeCoderFactory factory);
void RegisterFieldCoder(const char* name, FieldCoderFactory factory);
void RegisterMediaTypeFactory(const char* name, MediaTypeFactory factory);

// Unknown names give the identity coder, the plain field coder and the plain
// part. An empty name means "7bit" and "text".
std::unique_ptr<CMimeCodeBase> CreateMimeCoder(const char* transferEncoding);
std::unique_ptr<CFieldCodeBase> CreateFieldCoder(const char* fieldName);
std::unique_ptr<CMimeBody> CreateMimeBody(const char* mediaType);

// The folding switch: folds encoded lines and unfolds decoded field values;
// on, it also registers the folding coder for "7bit" and "8bit".
void SetMimeCoder7bit(bool on);
bool IsMimeFolding();

// The charset of encoded field values whose field has none of its own.
void SetDefaultMimeCharset(const std::string& charset);
const std::string& GetDefaultMimeCharset();

// The coders every mail reader expects; run once at start-up.
void RegisterDefaultMimeCodings();

// ASCII letters compared without case, as MIME names are.
bool MimeNameEquals(const char* a, const char* b);
bool MimeNameStartsWith(const std::string& text, const char* prefix);
