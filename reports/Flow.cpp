#include "reports/Flow.h"

#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "reports/WsfFile.h"

namespace {

size_t LastUnderscore(const EString& title)
{
    return title.rfind(L'_');
}

} // namespace

EString Transformer::GetDescription() const
{
    const EString title = FileSystem::GetFileTitle(m_scriptPath);
    const size_t underscore = LastUnderscore(title);
    return underscore == EString::npos ? title : EString(title.substr(0, underscore));
}

EString Transformer::GetExtension() const
{
    const EString title = FileSystem::GetFileTitle(m_scriptPath);
    const size_t underscore = LastUnderscore(title);
    if (underscore == EString::npos || underscore + 1 == title.size())
        return L"*";
    return title.substr(underscore + 1);
}

EString Transformer::GetFilterEntry() const
{
    const EString extension = GetExtension();
    return EString::Formatted(L"%s (*.%s)|*.%s|", GetDescription().c_str(), extension.c_str(), extension.c_str());
}

void Flow::GetDependencies(const EString& path, std::vector<EString>& dependencies)
{
    // A script that cannot be read names nothing.
    try {
        WsfFile(path).GetScriptSources(dependencies);
    } catch (const ComError&) {
    }
}

void Flow::AddFileMasks(std::vector<EString>& masks)
{
    masks.insert(masks.end(), {L"*.wsf", L"*.vbs", L"*.js"});
}

EString Flow::GetTransformer(int filterIndex)
{
    if (m_transformers.empty())
        LoadTransformers();
    // Index 1 is the plan's own XML.
    if (filterIndex <= 1 || filterIndex > static_cast<int>(m_transformers.size()))
        return EString();
    return m_transformers[static_cast<size_t>(filterIndex - 1)].GetScriptPath();
}

EString Flow::GetFilter()
{
    LoadTransformers();
    EString filter;
    for (const Transformer& transformer : m_transformers)
        filter += transformer.GetFilterEntry();
    return filter + L"|";
}

EString Flow::GetDialogTitle()
{
    return Resource::Translate(GetDialogTitleKey());
}

int Flow::GetRecentTypeIndex()
{
    return static_cast<int>(Options::ReadDword(GetRecentTypeKey(), 1));
}

EString Flow::OnTypeChosen(int filterIndex)
{
    SaveRecentTypeIndex(filterIndex);
    return GetDefaultExtension(filterIndex);
}

EString Flow::GetDefaultExtension(int filterIndex)
{
    const EString script = GetTransformer(filterIndex);
    if (script.IsEmpty())
        return L"xml";
    const EString extension = Transformer(script).GetExtension();
    return extension == L"*" ? EString() : extension;
}

void Flow::SaveRecentTypeIndex(int filterIndex)
{
    Options::WriteDword(GetRecentTypeKey(), static_cast<DWORD>(filterIndex));
}

void Flow::LoadTransformers()
{
    m_transformers.clear();
    m_transformers.emplace_back(kPlainXmlTransformer);
    std::vector<EString> scripts;
    EnumerateFiles(scripts);
    for (const EString& script : scripts)
        m_transformers.emplace_back(script);
}

std::unique_ptr<Flow> MakeFlow(int import)
{
    if (import == 1)
        return std::make_unique<Import>();
    return std::make_unique<Export>();
}
