#include "document/TextCutNotice.h"

#include "document/DocumentText.h"
#include "document/model/TextLimits.h"

namespace {

struct CutSentences {
    TextCuts::Kind kind;
    size_t limit;
    const wchar_t* oneKey;
    const wchar_t* oneEnglish;
    const wchar_t* manyKey;
    const wchar_t* manyEnglish;
};

constexpr CutSentences kSentences[] = {
    {TextCuts::kTaskNames, TextLimits::kTaskName, L"TextCutTaskName",
     L"The name of the task \"%s\" was longer than %s characters and was cut there.", L"TextCutTaskNames",
     L"The names of %s tasks were longer than %s characters and were cut there; the first is now \"%s\"."},
    {TextCuts::kCategoryNames, TextLimits::kCategoryName, L"TextCutCategoryName",
     L"The name of the category \"%s\" was longer than %s characters and was cut there.", L"TextCutCategoryNames",
     L"The names of %s categories were longer than %s characters and were cut there; the first is now \"%s\"."},
    {TextCuts::kDescriptions, TextLimits::kDescription, L"TextCutDescription",
     L"The description of \"%s\" was longer than %s characters and was cut there.", L"TextCutDescriptions",
     L"%s descriptions were longer than %s characters and were cut there, the first that of \"%s\"."},
};

// Enough of a name to know it by in a message box.
EString Shortened(const EString& name)
{
    constexpr size_t kShown = 40;
    if (name.size() <= kShown)
        return name;
    EString shown = name;
    TextLimits::Cut(shown, kShown);
    return shown + L"...";
}

} // namespace

EString TextCutNotice(const TextCuts& cuts)
{
    EString notice;
    for (const CutSentences& sentences : kSentences) {
        const TextCuts::Cut& cut = cuts.Of(sentences.kind);
        if (cut.count == 0)
            continue;
        const EString limit = std::to_wstring(sentences.limit);
        const EString sentence =
            cut.count == 1
                ? FillTextFormat(TranslatedText(sentences.oneKey, sentences.oneEnglish), {Shortened(cut.first), limit})
                : FillTextFormat(TranslatedText(sentences.manyKey, sentences.manyEnglish),
                                 {std::to_wstring(cut.count), limit, Shortened(cut.first)});
        notice += (notice.empty() ? L"" : L"\n") + sentence;
    }
    return notice;
}
