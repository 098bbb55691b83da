#include "reports/CustomFiles.h"

#include <windows.h>

#include "foundation/FileSystem.h"
#include "foundation/Locale.h"
#include "foundation/UniqueHandle.h"

namespace {

void AppendMatches(const EString& folder, const EString& mask, std::vector<EString>& files)
{
    WIN32_FIND_DATAW entry = {};
    const UniqueFindHandle search(::FindFirstFileW(FileSystem::JoinPath(folder, mask).c_str(), &entry));
    if (!search)
        return;
    do {
        if (!CustomFiles::IsDotEntry(entry.cFileName))
            files.push_back(FileSystem::JoinPath(folder, entry.cFileName));
    } while (::FindNextFileW(search.Get(), &entry));
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

} // namespace

void CustomFiles::GetDependencies(const EString&, std::vector<EString>&) {}

void CustomFiles::EnumerateFiles(std::vector<EString>& files)
{
    std::vector<EString> masks;
    AddFileMasks(masks);
    EString folder = LocalizeFolder(GetProgramFolder(), false);
    for (int pass = 0; pass < 2; ++pass) {
        if (!folder.IsEmpty())
            for (const EString& mask : masks)
                AppendMatches(folder, mask, files);
        if (pass == 0)
            folder = LocalizeFolder(GetUserFolder(), true);
    }
}

EString CustomFiles::GetUserFolder()
{
    const EString appData = FileSystem::GetAppDataFolder();
    if (appData.IsEmpty())
        return EString();
    const EString folder = FileSystem::JoinPath(appData, GetFolderName());
    FileSystem::EnsureFolder(folder);
    return folder;
}

EString CustomFiles::GetDisplayName(const EString& path)
{
    return FileSystem::GetFileTitle(path);
}

EString CustomFiles::Rename(const EString& path, const EString& newName)
{
    if (!IsValidFileName(newName))
        return EString();
    EString target = FileSystem::JoinPath(FileSystem::GetFolder(path), newName);
    const EString extension = FileSystem::GetExtension(path);
    if (!extension.IsEmpty())
        target += L"." + extension;
    if (!::MoveFileW(path.c_str(), target.c_str()))
        return EString();
    return target;
}

Feature CustomFiles::GetFeature(const EString& path)
{
    return Feature(IsUserFile(path) ? 1 : 0);
}

void CustomFiles::AddFileMasks(std::vector<EString>& masks)
{
    masks.push_back(L"*.*");
}

bool CustomFiles::IsUserFile(const EString& path)
{
    EString folder = GetUserFolder();
    if (folder.IsEmpty())
        return false;
    while (!folder.IsEmpty() && IsSeparator(folder.back()))
        folder.pop_back();
    // A whole folder name: "Reports2" is not inside "Reports".
    if (path.size() <= folder.size() || !IsSeparator(path[folder.size()]))
        return false;
    return ::CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                  static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

EString CustomFiles::GetProgramFolder()
{
    const EString folder = FileSystem::GetProgramFolderPath(GetFolderName());
    FileSystem::EnsureFolder(folder);
    return folder;
}

EString CustomFiles::LocalizeFolder(const EString& folder, bool create)
{
    if (folder.IsEmpty())
        return folder;
    return Locale::GetLocalizedFolder(folder, create);
}

bool CustomFiles::IsDotEntry(const wchar_t* name)
{
    return name && (wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0);
}

std::vector<EString> CustomFiles::GetDisplayNames(const std::vector<EString>& paths)
{
    std::vector<EString> names;
    names.reserve(paths.size());
    for (const EString& path : paths)
        names.push_back(GetDisplayName(path));
    return names;
}

std::vector<Feature> CustomFiles::GetFeatures(const std::vector<EString>& paths)
{
    std::vector<Feature> features;
    features.reserve(paths.size());
    for (const EString& path : paths)
        features.push_back(GetFeature(path));
    return features;
}

bool IsValidFileName(const EString& name)
{
    if (name.IsEmpty() || name == L"." || name == L"..")
        return false;
    for (const wchar_t c : name)
        if (c < 32 || wcschr(L"<>:\"/\\|?*", c))
            return false;
    return name.back() != L'.' && name.back() != L' ';
}
