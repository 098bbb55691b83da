// ExternalTaskLoader: mail messages dropped from a mail program, turned into tasks.
#pragma once

#include <objidl.h>

#include <vector>

#include "foundation/EString.h"
#include "mail/DroppedFiles.h"
#include "mail/SimpleTask.h"

// True when the data object carries dropped files ("FileGroupDescriptorW").
bool CanLoadExternalTasks(IDataObject* dataObject);

// Appends a task for every dropped Outlook (.msg) or MIME (.eml) message, in
// the drop's order; other files are passed over. A message that cannot be
// read, or is not the message its name says, is left out and the others are
// made: leftOut then names each such file and why, a line each (empty when
// none was left out). True also when none was a message. Throws ComError
// when the drop's list of files is malformed; no task is appended then.
bool LoadExternalTasks(IDataObject* dataObject, std::vector<SimpleTask>& tasks, EString& leftOut);

// The task of one file; false for a file that is no message by its name.
// Throws ComError, naming the file, for a message that could not be read or
// is damaged.
bool LoadExternalTask(const DroppedFile& file, SimpleTask& task);

// Compares the text after the name's last dot, in any letter case.
bool FileHasExtension(const EString& fileName, const wchar_t* extension);
