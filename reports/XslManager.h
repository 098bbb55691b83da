// XslManager: a report stylesheet opened for queries and small edits.
#pragma once

#include <vector>

#include "document/xml/XmlDoc.h"

// A report names itself in the HTML head it writes:
// <META NAME="Report" CONTENT="display name"/>.
class XslManager : public XmlDoc {
public:
    XslManager() = default;
    // Loads the file at once; raises as Load does.
    explicit XslManager(const EString& path);
    ~XslManager() override = default;

    // Loads the file, then lets XPath expressions use the prefix "xsl".
    void Load(const EString& path) override;

    bool HasNode(const EString& xpath);
    // Appends the href of every xsl:include, in document order.
    void GetIncludes(std::vector<EString>& includes);
    // Empty when the stylesheet has no report-name element.
    EString GetReportName();
    // Adds the element as the last child of the first HEAD when there is none;
    // without a HEAD nothing is written. The caller saves.
    void SetReportName(const EString& name);

private:
    XmlNode FindReportNameElement();
};
