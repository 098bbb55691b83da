#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "foundation/FileSystem.h"

namespace {

EString ProgramPath()
{
    return FileSystem::GetProgramFolderPath(L"Quorvane.exe");
}

// The activation context the system makes from the program's manifest when
// it starts the program.
class ProgramContext {
public:
    ProgramContext()
    {
        const EString program = ProgramPath();
        ACTCTXW description = {};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = program.c_str();
        description.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        m_context = ::CreateActCtxW(&description);
    }
    ~ProgramContext()
    {
        if (IsValid())
            ::ReleaseActCtx(m_context);
    }
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    bool IsValid() const { return m_context != INVALID_HANDLE_VALUE; }

    // What QueryActCtxW answers for the class; empty when it has no answer.
    template <class T>
    std::vector<BYTE> Query(ULONG infoClass, DWORD index = 0) const
    {
        SIZE_T size = 0;
        ::QueryActCtxW(0, m_context, &index, infoClass, nullptr, 0, &size);
        std::vector<BYTE> answer(std::max<SIZE_T>(size, sizeof(T)));
        if (!::QueryActCtxW(0, m_context, &index, infoClass, answer.data(), answer.size(), &size))
            answer.clear();
        return answer;
    }

    // The identities of the assemblies the context has resolved, the
    // program's own first.
    std::vector<EString> Assemblies() const
    {
        std::vector<EString> identities;
        const auto details = Query<ACTIVATION_CONTEXT_DETAILED_INFORMATION>(ActivationContextDetailedInformation);
        if (details.empty())
            return identities;
        const auto count = reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(details.data())->ulAssemblyCount;
        for (DWORD i = 1; i <= count; ++i) {
            const auto assembly = Query<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION>(
                AssemblyDetailedInformationInActivationContext, i);
            const auto* info = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(assembly.data());
            identities.push_back(!assembly.empty() && info->lpAssemblyEncodedAssemblyIdentity
                                     ? EString(info->lpAssemblyEncodedAssemblyIdentity)
                                     : EString());
        }
        return identities;
    }

private:
    HANDLE m_context = INVALID_HANDLE_VALUE;
};

EString VersionText(const wchar_t* name)
{
    const EString program = ProgramPath();
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
    std::vector<BYTE> block(size);
    if (!size || !::GetFileVersionInfoW(program.c_str(), 0, size, block.data()))
        return EString();
    void* value = nullptr;
    UINT length = 0;
    const EString path = EString(L"\\StringFileInfo\\040904b0\\") + name;
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || !length)
        return EString();
    return EString(static_cast<const wchar_t*>(value));
}

bool Contains(const EString& text, const wchar_t* part)
{
    return text.find(part) != EString::npos;
}

} // namespace

// A manifest the system cannot read, or whose dependency it cannot resolve,
// stops the program before it starts.
TEST(ProgramResourcesTest, TheManifestResolvesToCommonControls6)
{
    ASSERT_TRUE(FileSystem::FileExists(ProgramPath()));
    const ProgramContext context;
    ASSERT_TRUE(context.IsValid());
    const std::vector<EString> assemblies = context.Assemblies();
    ASSERT_EQ(assemblies.size(), 2u);
    EXPECT_TRUE(Contains(assemblies[0], L"Quorvane")) << assemblies[0].c_str();
    EXPECT_TRUE(Contains(assemblies[1], L"Microsoft.Windows.Common-Controls")) << assemblies[1].c_str();
    EXPECT_TRUE(Contains(assemblies[1], L"6.0.")) << assemblies[1].c_str();
}

TEST(ProgramResourcesTest, TheVersionResourceNamesTheProgram)
{
    EXPECT_EQ(VersionText(L"ProductName"), L"Quorvane");
    EXPECT_EQ(VersionText(L"OriginalFilename"), L"Quorvane.exe");
    EXPECT_EQ(VersionText(L"FileVersion"), VersionText(L"ProductVersion"));
    EXPECT_FALSE(VersionText(L"FileVersion").empty());
}
