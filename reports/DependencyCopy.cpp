#include "reports/DependencyCopy.h"

#include <windows.h>

#include <set>
#include <vector>

#include "foundation/FileSystem.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

std::vector<EString> SplitSteps(const EString& reference)
{
    std::vector<EString> steps;
    EString step;
    for (const wchar_t c : reference) {
        if (IsSeparator(c)) {
            steps.push_back(step);
            step.clear();
        } else {
            step += c;
        }
    }
    steps.push_back(step);
    return steps;
}

// Makes each missing folder from `root` down to the folder of `relativeFile`.
bool EnsureFoldersBelow(const EString& root, const EString& relativeFile)
{
    const std::vector<EString> steps = SplitSteps(relativeFile);
    EString folder = root;
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
        if (steps[i].IsEmpty() || steps[i] == L".")
            continue;
        folder = FileSystem::JoinPath(folder, steps[i]);
        if (!FileSystem::EnsureFolder(folder))
            return false;
    }
    return true;
}

EString Canonical(const EString& path)
{
    EString full = FileSystem::GetFullPath(path);
    ::CharLowerBuffW(full.data(), static_cast<DWORD>(full.size()));
    return full;
}

void CopyReferences(CustomFiles& kind, const EString& destinationFolder, const EString& source,
                    std::set<EString>& copied)
{
    std::vector<EString> references;
    kind.GetDependencies(source, references);
    const EString sourceFolder = FileSystem::GetFolder(source);
    for (const EString& reference : references) {
        if (!IsContainedReference(reference))
            continue;
        const EString from = FileSystem::JoinPath(sourceFolder, reference);
        if (!copied.insert(Canonical(from)).second)
            continue;
        const EString to = FileSystem::JoinPath(destinationFolder, reference);
        if (!EnsureFoldersBelow(destinationFolder, reference))
            continue;
        if (!FileSystem::CopyFileChecked(to, from, true))
            continue;
        CopyReferences(kind, FileSystem::GetFolder(to), from, copied);
    }
}

} // namespace

bool IsContainedReference(const EString& reference)
{
    if (reference.IsEmpty() || IsSeparator(reference.front()) || reference.find(L':') != EString::npos)
        return false;
    for (const EString& step : SplitSteps(reference))
        if (step == L"..")
            return false;
    return true;
}

void CopyDependencies(CustomFiles& kind, const EString& destinationFolder, const EString& source)
{
    std::set<EString> copied{Canonical(source)};
    CopyReferences(kind, destinationFolder, source, copied);
}
