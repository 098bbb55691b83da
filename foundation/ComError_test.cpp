#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include "foundation/AppWindow.h"
#include "foundation/ComError.h"
#include "foundation/ResourceModule.h"

namespace {

void LeaveErrorInfo(const wchar_t* description)
{
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(::CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<wchar_t*>(description));
    IErrorInfo* info = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    ::SetErrorInfo(0, info);
    info->Release();
    create->Release();
}

} // namespace

TEST(ComErrorTest, DescriptionComesFromTheFailingObjectOrTheSystem)
{
    LeaveErrorInfo(L"Document is not well formed");
    try {
        ThrowIfFailed(E_FAIL);
        FAIL() << "no exception";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_FAIL);
        EXPECT_EQ(error.Description(), L"Document is not well formed");
    }

    try {
        ThrowIfFailed(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
        FAIL() << "no exception";
    } catch (const ComError& error) {
        EXPECT_FALSE(error.Description().empty());
        EXPECT_EQ(error.Description(), SystemErrorText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)));
        EXPECT_NE(error.Description().back(), L'\n');
    }

    EXPECT_NO_THROW(ThrowIfFailed(S_FALSE));
    EXPECT_EQ(ComError(0x80991234).Description(), L"Error 0x80991234");
}

TEST(AppWindowTest, MessageBoxNeedsTheMainWindow)
{
    ASSERT_EQ(GetMainWindow(), nullptr);
    EXPECT_EQ(AppMessageBox(L"nobody sees this", MB_YESNO), IDCANCEL);
    EXPECT_EQ(LoadAppIcon(1), nullptr); // the test program has no icons
}
