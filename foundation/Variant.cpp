#include "foundation/Variant.h"

Variant::Variant(const Variant& other)
{
    ::VariantInit(this);
    ::VariantCopy(this, const_cast<Variant*>(&other));
}

Variant::Variant(const wchar_t* text)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = ::SysAllocString(text ? text : L"");
}

Variant::Variant(const EString& text)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Variant::Variant(long value)
{
    ::VariantInit(this);
    vt = VT_I4;
    lVal = value;
}

Variant::Variant(double value, VARTYPE type)
{
    ::VariantInit(this);
    vt = type == VT_DATE ? VT_DATE : VT_R8;
    if (vt == VT_DATE)
        date = value;
    else
        dblVal = value;
}

Variant::Variant(bool value)
{
    ::VariantInit(this);
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(IUnknown* object)
{
    ::VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = object;
    if (object)
        object->AddRef();
}

Variant::Variant(IDispatch* object)
{
    ::VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = object;
    if (object)
        object->AddRef();
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other)
        ::VariantCopy(this, const_cast<Variant*>(&other));
    return *this;
}

EString Variant::ToString() const
{
    if (vt == VT_BSTR)
        return bstrVal ? EString(bstrVal, ::SysStringLen(bstrVal)) : EString();
    VARIANT text;
    ::VariantInit(&text);
    EString result;
    if (SUCCEEDED(::VariantChangeType(&text, const_cast<Variant*>(this), 0, VT_BSTR)) && text.bstrVal)
        result.assign(text.bstrVal, ::SysStringLen(text.bstrVal));
    ::VariantClear(&text);
    return result;
}
