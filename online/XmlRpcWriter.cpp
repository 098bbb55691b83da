#include "online/XmlRpcWriter.h"

#include <charconv>
#include <cstdio>

#include "online/XmlEscape.h"
#include "online/XmlRpcBase64.h"
#include "online/XmlRpcException.h"

namespace {
// Six significant digits and a "." whatever the locale.
std::string DoubleText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string DateTimeText(const std::tm& time)
{
    char buffer[80];
    std::snprintf(buffer, sizeof(buffer), "%4d%02d%02dT%02d:%02d:%02d", time.tm_year, time.tm_mon + 1, time.tm_mday,
                  time.tm_hour, time.tm_min, time.tm_sec);
    return buffer;
}
} // namespace

void WriteXmlRpcValue(std::string& out, const XmlRpcValue& value)
{
    switch (value.GetKind()) {
    case XmlRpcValue::KindInvalid:
        throw XmlRpcException("Undefined XmlRpc value");
    case XmlRpcValue::KindBoolean:
        out += value.AsBool() ? "<value><boolean>1</boolean></value>" : "<value><boolean>0</boolean></value>";
        break;
    case XmlRpcValue::KindInt:
        out += "<value><i4>" + std::to_string(value.AsInt()) + "</i4></value>";
        break;
    case XmlRpcValue::KindDouble:
        out += "<value><double>" + DoubleText(value.AsDouble()) + "</double></value>";
        break;
    case XmlRpcValue::KindString:
        if (value.AsString().empty())
            out += "<value><string/></value>";
        else
            out += "<value>" + XmlEscape(value.AsString()) + "</value>";
        break;
    case XmlRpcValue::KindDateTime:
        out += "<value><dateTime.iso8601>" + DateTimeText(value.AsDateTime()) + "</dateTime.iso8601></value>";
        break;
    case XmlRpcValue::KindBase64:
        out += "<value><base64>" + XmlRpcBase64::Encode(value.AsBytes()) + "</base64></value>";
        break;
    case XmlRpcValue::KindArray:
        out += "<value><array><data>";
        for (const XmlRpcValue& element : value.AsArray())
            WriteXmlRpcValue(out, element);
        out += "</data></array></value>";
        break;
    case XmlRpcValue::KindStruct:
        out += "<value><struct>";
        for (const auto& [name, member] : value.AsStruct()) {
            out += "<member><name>" + XmlEscape(name) + "</name>";
            WriteXmlRpcValue(out, member);
            out += "</member>";
        }
        out += "</struct></value>\n";
        break;
    case XmlRpcValue::KindNil:
        out += "<value><nil/></value>";
        break;
    }
}

std::string WriteXmlRpcMethodCall(std::string_view methodName, const XmlRpcValue& params)
{
    std::string text = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>";
    text += methodName;
    text += "</methodName>\r\n<params>";
    if (params.GetKind() == XmlRpcValue::KindArray) {
        for (const XmlRpcValue& param : params.AsArray()) {
            text += "<param>";
            WriteXmlRpcValue(text, param);
            text += "</param>";
        }
    } else if (params.IsValid()) {
        text += "<param>";
        WriteXmlRpcValue(text, params);
        text += "</param>\n";
    }
    text += "</params></methodCall>\r\n";
    return text;
}
