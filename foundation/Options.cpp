#include "foundation/Options.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"

namespace {

const wchar_t kAppKey[] = L"Software\\Mellowbrake\\Quorvane";
const wchar_t kOptionsKey[] = L"Software\\Mellowbrake\\Quorvane\\Options";
constexpr float kLoadFactorDefault = 2.5f;
constexpr DWORD kLoadFactorDefaultBits = std::bit_cast<DWORD>(kLoadFactorDefault); // 0x40200000

EString SubKeyPath(const wchar_t* subKey)
{
    return FileSystem::JoinPath(kAppKey, subKey);
}

DWORD ReadDwordAt(const wchar_t* path, const wchar_t* name, DWORD defaultValue)
{
    RegistryKey key;
    DWORD value = defaultValue;
    if (key.Open(HKEY_CURRENT_USER, path, KEY_READ) && key.QueryDword(name, value))
        return value;
    return defaultValue;
}

void WriteDwordAt(const wchar_t* path, const wchar_t* name, DWORD value)
{
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, path))
        key.SetDword(name, value);
}

EString ReadStringAt(const wchar_t* path, const wchar_t* name, const EString& defaultValue)
{
    RegistryKey key;
    EString value;
    if (key.Open(HKEY_CURRENT_USER, path, KEY_READ) && key.QueryString(name, value))
        return value;
    return defaultValue;
}

void WriteStringAt(const wchar_t* path, const wchar_t* name, const EString& value)
{
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, path))
        key.SetString(name, value);
}

} // namespace

const wchar_t* Options::AppKeyPath() { return kAppKey; }
const wchar_t* Options::OptionsKeyPath() { return kOptionsKey; }

DWORD Options::ReadDword(const wchar_t* name, DWORD defaultValue)
{
    return ReadDwordAt(kOptionsKey, name, defaultValue);
}

void Options::WriteDword(const wchar_t* name, DWORD value)
{
    WriteDwordAt(kOptionsKey, name, value);
}

EString Options::ReadString(const wchar_t* name, const EString& defaultValue)
{
    return ReadStringAt(kOptionsKey, name, defaultValue);
}

void Options::WriteString(const wchar_t* name, const EString& value)
{
    WriteStringAt(kOptionsKey, name, value);
}

DWORD Options::ReadDword(const wchar_t* subKey, const wchar_t* name, DWORD defaultValue)
{
    return ReadDwordAt(SubKeyPath(subKey).c_str(), name, defaultValue);
}

void Options::WriteDword(const wchar_t* subKey, const wchar_t* name, DWORD value)
{
    WriteDwordAt(SubKeyPath(subKey).c_str(), name, value);
}

EString Options::ReadString(const wchar_t* subKey, const wchar_t* name, const EString& defaultValue)
{
    return ReadStringAt(SubKeyPath(subKey).c_str(), name, defaultValue);
}

void Options::WriteString(const wchar_t* subKey, const wchar_t* name, const EString& value)
{
    WriteStringAt(SubKeyPath(subKey).c_str(), name, value);
}

EString Options::FormatIndexedKey(const wchar_t* base, int index)
{
    return EString::Formatted(L"%s%d", base, index);
}

#define DWORD_SETTING(Name, Default)                                                  \
    DWORD Options::Get##Name() { return ReadDword(L"" #Name, Default); }           \
    void Options::Set##Name(DWORD value) { WriteDword(L"" #Name, value); }

#define STRING_SETTING(Name, Default)                                                 \
    EString Options::Get##Name() { return ReadString(L"" #Name, Default); }        \
    void Options::Set##Name(const EString& value) { WriteString(L"" #Name, value); }

DWORD_SETTING(DeadlinePeriod, 2)
DWORD_SETTING(FilterField, 0)
DWORD_SETTING(DeadlineFilterField, 0)
DWORD_SETTING(PriorityFilterField, 0)
DWORD_SETTING(OpenRecentOnStartup, 1)
DWORD_SETTING(SaveOnFocusLost, 0)
DWORD_SETTING(IsAutoSatSun, 1)
DWORD_SETTING(IsLongDateFormat, 0)
DWORD_SETTING(TimeFormat, 0)
DWORD_SETTING(StartOfWeek, 0)
DWORD_SETTING(UiLanguage, 0)
DWORD_SETTING(PromptForCompletingCategory, 1)
DWORD_SETTING(MinimizeToTrayIcon, 1)
DWORD_SETTING(TransparentCategories, 1)
DWORD_SETTING(ProlongPrevious, 0)
DWORD_SETTING(TipIndex, 0)
DWORD_SETTING(ShowTipOnSturtup, 1)
DWORD_SETTING(AllowSimultaneous, 0)
DWORD_SETTING(AutoSave, 10)
DWORD_SETTING(ImportSchedules, 0)
DWORD_SETTING(DateFilterOnCalendar, 1)
DWORD_SETTING(StatusFilterOnCalendar, 1)
DWORD_SETTING(ShowTrayNotifications, 1)
DWORD_SETTING(RemindMinutes, 10)
DWORD_SETTING(LayoutDays, 5)
DWORD_SETTING(TrackingStayOnTop, 1)
DWORD_SETTING(ShowAsLayoutDays, 1)
DWORD_SETTING(DayLayoutInterval, 0)
DWORD_SETTING(AlignToGridMinutes, 1)
DWORD_SETTING(ResetCookie, 0)

STRING_SETTING(DayBegin, L"09:00")
STRING_SETTING(ReportEditor, L"notepad.exe")
STRING_SETTING(RestorePath, L"")
STRING_SETTING(ScriptEditor, L"notepad.exe")
STRING_SETTING(PlanSound, L"")
STRING_SETTING(UserName, L"")
STRING_SETTING(CustomToolBarButtons, L"")

DWORD Options::GetSortField(int index, DWORD defaultValue)
{
    return ReadDword(FormatIndexedKey(L"SortField", index).c_str(), defaultValue);
}

void Options::SetSortField(int index, DWORD value)
{
    WriteDword(FormatIndexedKey(L"SortField", index).c_str(), value);
}

DWORD Options::GetSortDirection(int index)
{
    return ReadDword(FormatIndexedKey(L"SortDirection", index).c_str(), 1);
}

void Options::SetSortDirection(int index, DWORD value)
{
    WriteDword(FormatIndexedKey(L"SortDirection", index).c_str(), value);
}

DWORD Options::GetLowPriorityTasks()
{
    return 1;
}

void Options::SetLowPriorityTasks(DWORD value)
{
    WriteDword(L"LowPriorityTasks", value);
}

double Options::GetLoadFactor()
{
    const DWORD bits = ReadDword(L"LoadFactor", kLoadFactorDefaultBits);
    float value = 0;
    static_assert(sizeof(value) == sizeof(bits));
    std::memcpy(&value, &bits, sizeof(value));
    // Any bits are a float, some of them no number: those give the default.
    if (!std::isfinite(value))
        return kLoadFactorDefault;
    return value;
}

void Options::SetLoadFactor(double value)
{
    // No number is no load factor: the one stored stays.
    if (!std::isfinite(value))
        return;
    const float single = static_cast<float>(value);
    DWORD bits = 0;
    std::memcpy(&bits, &single, sizeof(bits));
    WriteDword(L"LoadFactor", bits);
}

double Options::GetRegularHours()
{
    return static_cast<double>(ReadDword(L"RegularHours", 8 * GetRegularHoursScale())) / GetRegularHoursScale();
}

void Options::SetRegularHours(double hours)
{
    // No number is no length of a day: the one stored stays.
    if (!std::isfinite(hours))
        return;
    // The small bias keeps 7.3 from becoming 7299 through binary rounding.
    const double scaled = hours * GetRegularHoursScale() + 1e-6;
    constexpr double kMostScaled = 0xFFFFFFFFu;
    WriteDword(L"RegularHours", scaled <= 0 ? 0 : scaled >= kMostScaled ? 0xFFFFFFFFu : static_cast<DWORD>(scaled));
}
