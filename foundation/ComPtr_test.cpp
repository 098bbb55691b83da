#include <gtest/gtest.h>

#include <utility>

#include "foundation/Bstr.h"
#include "foundation/ComPtr.h"

namespace {

// Counts its references; QueryInterface answers IUnknown only.
class CountedObject : public IUnknown {
public:
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

} // namespace

TEST(ComPtrTest, HoldsExactlyOneReference)
{
    CountedObject object;
    {
        ComPtr<IUnknown> first(&object);
        EXPECT_EQ(object.references, 2u);
        ComPtr<IUnknown> copy(first);
        EXPECT_EQ(object.references, 3u);
        ComPtr<IUnknown> moved(std::move(copy));
        EXPECT_EQ(object.references, 3u);
        EXPECT_FALSE(copy);

        ComPtr<IUnknown> assigned;
        assigned = first;
        EXPECT_EQ(object.references, 4u);
        assigned = assigned;
        EXPECT_EQ(object.references, 4u);
        assigned = std::move(moved);
        EXPECT_EQ(object.references, 3u);
        assigned = std::move(assigned);
        EXPECT_EQ(object.references, 3u);
        EXPECT_TRUE(assigned);

        ComPtr<IUnknown> queried;
        EXPECT_EQ(first.QueryInterface(IID_IUnknown, queried), S_OK);
        EXPECT_EQ(object.references, 4u);
        ComPtr<IDispatch> none;
        EXPECT_EQ(first.QueryInterface(IID_IDispatch, none), E_NOINTERFACE);

        // Taking the address for an out parameter drops the old reference.
        IUnknown** out = &queried;
        EXPECT_EQ(*out, nullptr);
        EXPECT_EQ(object.references, 3u);
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(BstrTest, OwnsItsText)
{
    Bstr text(EString(L"a\0b", 3));
    EXPECT_EQ(text.Length(), 3u);
    EXPECT_EQ(text.ToString(), EString(L"a\0b", 3));
    Bstr copy = text;
    EXPECT_NE(copy.Get(), text.Get());
    EXPECT_EQ(copy.ToString(), text.ToString());
    Bstr empty;
    EXPECT_EQ(empty.ToString(), L"");
    EXPECT_EQ(empty.Length(), 0u);
}
