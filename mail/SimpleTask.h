// SimpleTask: a dropped mail message as the task it becomes, its name and its text.
#pragma once

#include "foundation/EString.h"

class SimpleTask {
public:
    SimpleTask() = default;
    SimpleTask(EString name, EString text) : m_name(std::move(name)), m_text(std::move(text)) {}
    SimpleTask(const SimpleTask&) = default;
    SimpleTask& operator=(const SimpleTask&) = default;
    virtual ~SimpleTask() = default;

    EString GetName() const { return m_name; }
    EString GetText() const { return m_text; }
    void SetName(const EString& name) { m_name = name; }
    void SetText(const EString& text) { m_text = text; }

private:
    EString m_name;
    EString m_text;
};
