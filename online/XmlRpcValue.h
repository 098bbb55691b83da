// XmlRpcValue: a tagged XML-RPC value that owns its payload and copies deeply.
#pragma once

#include <ctime>
#include <map>
#include <string>
#include <vector>

class XmlRpcValue {
public:
    enum Kind {
        KindInvalid = 0,
        KindBoolean = 1,
        KindInt = 2,
        KindDouble = 3,
        KindString = 4,
        KindDateTime = 5,
        KindBase64 = 6,
        KindArray = 7,
        KindStruct = 8,
        KindNil = 9,
    };
    using Bytes = std::vector<unsigned char>;
    using ValueArray = std::vector<XmlRpcValue>;
    using ValueStruct = std::map<std::string, XmlRpcValue>;

    XmlRpcValue() = default;
    XmlRpcValue(const char* text);
    XmlRpcValue(const std::string& text);
    XmlRpcValue(bool value);
    XmlRpcValue(int value);
    XmlRpcValue(const void* data, size_t size);
    XmlRpcValue(const XmlRpcValue& other);
    XmlRpcValue(XmlRpcValue&& other) noexcept;
    XmlRpcValue& operator=(const XmlRpcValue& other);
    XmlRpcValue& operator=(XmlRpcValue&& other) noexcept;
    ~XmlRpcValue();

    static XmlRpcValue MakeNil();

    Kind GetKind() const { return m_kind; }
    bool IsValid() const { return m_kind != KindInvalid; }
    void Clear();

    // Typed access: an invalid or nil value takes the kind with empty content,
    // a value of another kind throws "type error".
    bool& AsBool();
    int& AsInt();
    double& AsDouble();
    std::string& AsString();
    std::tm& AsDateTime();
    Bytes& AsBytes();
    ValueArray& AsArray();
    ValueStruct& AsStruct();

    // Read-only access: the value must already be of the kind ("type error").
    bool AsBool() const;
    int AsInt() const;
    double AsDouble() const;
    const std::string& AsString() const;
    const std::tm& AsDateTime() const;
    const Bytes& AsBytes() const;
    const ValueArray& AsArray() const;
    const ValueStruct& AsStruct() const;

    // Length of a string, bytes of base64, elements of an array, members of a struct.
    int Size() const;

    const XmlRpcValue& operator[](int index) const;
    // Grows an array (or turns an invalid value into one) to hold the index.
    XmlRpcValue& operator[](int index);
    void SetSize(int size);

    // Turns an invalid value into a struct; a missing member is added invalid.
    XmlRpcValue& operator[](const std::string& name);
    XmlRpcValue& operator[](const char* name) { return (*this)[std::string(name)]; }
    bool HasMember(const std::string& name) const;

    bool operator==(const XmlRpcValue& other) const;
    bool operator!=(const XmlRpcValue& other) const { return !(*this == other); }

private:
    void TakeKind(Kind kind);
    void RequireKind(Kind kind) const;
    void Swap(XmlRpcValue& other) noexcept;

    Kind m_kind = KindInvalid;
    union {
        bool boolean;
        int integer;
        double real;
        std::string* text;
        std::tm* time;
        Bytes* bytes;
        ValueArray* array;
        ValueStruct* members;
    } m_value{};
};
