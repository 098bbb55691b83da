// Attachment: a file name and the file's bytes.
#pragma once

#include "mail/CRefCounter.h"
#include "mail/MailInterfaces.h"

class Attachment : public CRefCounter<IAttachment> {
public:
    EString GetFileName() override { return m_fileName; }
    std::string GetData() override { return m_data; }

protected:
    EString m_fileName;
    std::string m_data;
};
