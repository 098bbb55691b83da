// XmlRpcBase64: the Base64 coder of the XML-RPC base64 value kind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace XmlRpcBase64 {

// Four characters per three bytes, '=' padding, a line feed after every 72 characters.
std::string Encode(const std::vector<unsigned char>& bytes);

// Skips characters outside the alphabet; '=' or the end of the text ends the data.
std::vector<unsigned char> Decode(std::string_view text);

} // namespace XmlRpcBase64
