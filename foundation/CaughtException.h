// CaughtException: says what the exception being handled is, for the log.
#pragma once

#include "foundation/EString.h"

// The exception being handled: a ComError's code and description, a standard
// exception's text, else that its type is unknown. Meant for catch blocks;
// outside one it says there is no exception.
EString DescribeCaughtException();

// Appends "EXCEPTION in <where>: <description>\n" to the log.
void LogCaughtException(const wchar_t* where);
