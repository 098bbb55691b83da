// XmlRpcWriter: the XML text of XML-RPC values and method calls.
#pragma once

#include <string>
#include <string_view>

#include "online/XmlRpcValue.h"

// Appends "<value>...</value>"; an invalid value throws "Undefined XmlRpc value".
void WriteXmlRpcValue(std::string& out, const XmlRpcValue& value);

// The whole request text. An array of parameters gives one parameter per
// element, another valid value a single parameter, an invalid value none.
std::string WriteXmlRpcMethodCall(std::string_view methodName, const XmlRpcValue& params);
