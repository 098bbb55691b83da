#include "online/XmlRpcValue.h"

#include <bit>
#include <utility>

#include "online/XmlRpcException.h"

namespace {
bool SameTime(const std::tm& a, const std::tm& b)
{
    return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour && a.tm_mday == b.tm_mday &&
           a.tm_mon == b.tm_mon && a.tm_year == b.tm_year;
}
} // namespace

XmlRpcValue::XmlRpcValue(const char* text) : m_kind(KindString)
{
    m_value.text = new std::string(text ? text : "");
}

XmlRpcValue::XmlRpcValue(const std::string& text) : m_kind(KindString)
{
    m_value.text = new std::string(text);
}

XmlRpcValue::XmlRpcValue(bool value) : m_kind(KindBoolean)
{
    m_value.boolean = value;
}

XmlRpcValue::XmlRpcValue(int value) : m_kind(KindInt)
{
    m_value.integer = value;
}

XmlRpcValue::XmlRpcValue(const void* data, size_t size) : m_kind(KindBase64)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    m_value.bytes = size ? new Bytes(bytes, bytes + size) : new Bytes();
}

XmlRpcValue::XmlRpcValue(const XmlRpcValue& other) : m_kind(other.m_kind)
{
    switch (m_kind) {
    case KindString: m_value.text = new std::string(*other.m_value.text); break;
    case KindDateTime: m_value.time = new std::tm(*other.m_value.time); break;
    case KindBase64: m_value.bytes = new Bytes(*other.m_value.bytes); break;
    case KindArray: m_value.array = new ValueArray(*other.m_value.array); break;
    case KindStruct: m_value.members = new ValueStruct(*other.m_value.members); break;
    default: m_value = other.m_value; break;
    }
}

XmlRpcValue::XmlRpcValue(XmlRpcValue&& other) noexcept
{
    Swap(other);
}

XmlRpcValue& XmlRpcValue::operator=(const XmlRpcValue& other)
{
    if (this != &other) {
        XmlRpcValue copy(other);
        Swap(copy);
    }
    return *this;
}

XmlRpcValue& XmlRpcValue::operator=(XmlRpcValue&& other) noexcept
{
    if (this != &other) {
        Clear();
        Swap(other);
    }
    return *this;
}

XmlRpcValue::~XmlRpcValue()
{
    Clear();
}

XmlRpcValue XmlRpcValue::MakeNil()
{
    XmlRpcValue value;
    value.m_kind = KindNil;
    return value;
}

void XmlRpcValue::Swap(XmlRpcValue& other) noexcept
{
    std::swap(m_kind, other.m_kind);
    std::swap(m_value, other.m_value);
}

void XmlRpcValue::Clear()
{
    switch (m_kind) {
    case KindString: delete m_value.text; break;
    case KindDateTime: delete m_value.time; break;
    case KindBase64: delete m_value.bytes; break;
    case KindArray: delete m_value.array; break;
    case KindStruct: delete m_value.members; break;
    default: break;
    }
    m_kind = KindInvalid;
    m_value = {};
}

void XmlRpcValue::TakeKind(Kind kind)
{
    if (m_kind == kind)
        return;
    if (m_kind != KindInvalid && m_kind != KindNil)
        throw XmlRpcException("type error");
    m_value = {};
    switch (kind) {
    case KindString: m_value.text = new std::string(); break;
    case KindDateTime: m_value.time = new std::tm{}; break;
    case KindBase64: m_value.bytes = new Bytes(); break;
    case KindArray: m_value.array = new ValueArray(); break;
    case KindStruct: m_value.members = new ValueStruct(); break;
    default: break;
    }
    m_kind = kind;
}

void XmlRpcValue::RequireKind(Kind kind) const
{
    if (m_kind != kind)
        throw XmlRpcException("type error");
}

bool& XmlRpcValue::AsBool() { TakeKind(KindBoolean); return m_value.boolean; }
int& XmlRpcValue::AsInt() { TakeKind(KindInt); return m_value.integer; }
double& XmlRpcValue::AsDouble() { TakeKind(KindDouble); return m_value.real; }
std::string& XmlRpcValue::AsString() { TakeKind(KindString); return *m_value.text; }
std::tm& XmlRpcValue::AsDateTime() { TakeKind(KindDateTime); return *m_value.time; }
XmlRpcValue::Bytes& XmlRpcValue::AsBytes() { TakeKind(KindBase64); return *m_value.bytes; }
XmlRpcValue::ValueArray& XmlRpcValue::AsArray() { TakeKind(KindArray); return *m_value.array; }
XmlRpcValue::ValueStruct& XmlRpcValue::AsStruct() { TakeKind(KindStruct); return *m_value.members; }

bool XmlRpcValue::AsBool() const { RequireKind(KindBoolean); return m_value.boolean; }
int XmlRpcValue::AsInt() const { RequireKind(KindInt); return m_value.integer; }
double XmlRpcValue::AsDouble() const { RequireKind(KindDouble); return m_value.real; }
const std::string& XmlRpcValue::AsString() const { RequireKind(KindString); return *m_value.text; }
const std::tm& XmlRpcValue::AsDateTime() const { RequireKind(KindDateTime); return *m_value.time; }
const XmlRpcValue::Bytes& XmlRpcValue::AsBytes() const { RequireKind(KindBase64); return *m_value.bytes; }
const XmlRpcValue::ValueArray& XmlRpcValue::AsArray() const { RequireKind(KindArray); return *m_value.array; }
const XmlRpcValue::ValueStruct& XmlRpcValue::AsStruct() const { RequireKind(KindStruct); return *m_value.members; }

int XmlRpcValue::Size() const
{
    switch (m_kind) {
    case KindString: return static_cast<int>(m_value.text->size());
    case KindBase64: return static_cast<int>(m_value.bytes->size());
    case KindArray: return static_cast<int>(m_value.array->size());
    case KindStruct: return static_cast<int>(m_value.members->size());
    default: throw XmlRpcException("type error");
    }
}

const XmlRpcValue& XmlRpcValue::operator[](int index) const
{
    if (m_kind != KindArray)
        throw XmlRpcException("type error: expected an array");
    if (index < 0 || static_cast<size_t>(index) >= m_value.array->size())
        throw XmlRpcException("range error: array index too large");
    return (*m_value.array)[static_cast<size_t>(index)];
}

XmlRpcValue& XmlRpcValue::operator[](int index)
{
    if (index < 0)
        throw XmlRpcException("range error: negative array index");
    if (m_kind != KindInvalid && m_kind != KindArray)
        throw XmlRpcException("type error: expected an array");
    if (m_kind == KindInvalid || m_value.array->size() <= static_cast<size_t>(index))
        SetSize(index + 1);
    return (*m_value.array)[static_cast<size_t>(index)];
}

void XmlRpcValue::SetSize(int size)
{
    if (size < 0)
        throw XmlRpcException("range error: negative array size");
    if (m_kind != KindInvalid && m_kind != KindArray)
        throw XmlRpcException("type error: expected an array");
    if (m_kind == KindInvalid) {
        m_value.array = new ValueArray();
        m_kind = KindArray;
    }
    const size_t wanted = static_cast<size_t>(size);
    if (wanted > m_value.array->capacity())
        m_value.array->reserve(std::bit_ceil(wanted));
    m_value.array->resize(wanted);
}

XmlRpcValue& XmlRpcValue::operator[](const std::string& name)
{
    if (m_kind == KindInvalid) {
        m_value.members = new ValueStruct();
        m_kind = KindStruct;
    }
    if (m_kind != KindStruct)
        throw XmlRpcException("type error: expected a struct");
    return (*m_value.members)[name];
}

bool XmlRpcValue::HasMember(const std::string& name) const
{
    return m_kind == KindStruct && m_value.members->count(name) != 0;
}

bool XmlRpcValue::operator==(const XmlRpcValue& other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case KindBoolean: return m_value.boolean == other.m_value.boolean;
    case KindInt: return m_value.integer == other.m_value.integer;
    case KindDouble: return m_value.real == other.m_value.real;
    case KindString: return *m_value.text == *other.m_value.text;
    case KindDateTime: return SameTime(*m_value.time, *other.m_value.time);
    case KindBase64: return *m_value.bytes == *other.m_value.bytes;
    case KindArray: return *m_value.array == *other.m_value.array;
    case KindStruct: return *m_value.members == *other.m_value.members;
    default: return true;
    }
}
