#include "document/xml/OutsideXmlText.h"

#include <string>

#include "document/model/TextLimits.h"
#include "document/xml/ReadableXmlTexts.h"
#include "document/xml/StorableXmlText.h"

const EString& PrepareOutsideXml(const EString& text, EString& prepared)
{
    std::wstring cleaned, fitted;
    const std::wstring_view readable =
        ReadableXmlTexts(StorableXmlText(text, cleaned), TextLimits::kDescription, fitted);
    if (readable.data() == text.data())
        return text;
    prepared.assign(readable);
    return prepared;
}
