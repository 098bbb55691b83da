// Variant: a VARIANT that clears itself.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "foundation/EString.h"

class Variant : public VARIANT {
public:
    Variant() { ::VariantInit(this); }
    Variant(const Variant& other);
    Variant(const wchar_t* text);
    Variant(const EString& text);
    Variant(long value);
    Variant(double value, VARTYPE type = VT_R8);
    Variant(bool value);
    Variant(IUnknown* object);
    Variant(IDispatch* object);
    ~Variant() { ::VariantClear(this); }
    Variant& operator=(const Variant& other);

    void Clear() { ::VariantClear(this); }
    // For out parameters: clears the held value first.
    VARIANT* Out()
    {
        Clear();
        return this;
    }
    bool IsEmpty() const { return vt == VT_EMPTY || vt == VT_NULL; }
    // The value as text through the system conversion; empty when it cannot convert.
    EString ToString() const;
};
