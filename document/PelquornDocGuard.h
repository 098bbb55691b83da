// The error convention of the planning document's operations (included by PelquornDoc.h).
#pragma once

#include "foundation/CaughtException.h"
#include "foundation/ComError.h"

template <class Result, class Body>
Result CPelquornDoc::Guarded(Result failure, Body&& body)
{
    try {
        return body();
    } catch (const ComError& error) {
        ReportError(error);
    } catch (...) {
        LogCaughtException(L"a document operation");
    }
    return failure;
}

template <class Body>
void CPelquornDoc::Guarded(Body&& body)
{
    try {
        body();
    } catch (const ComError& error) {
        ReportError(error);
    } catch (...) {
        LogCaughtException(L"a document operation");
    }
}

template <class Result, class Body>
Result CPelquornDoc::Silently(Result failure, Body&& body)
{
    try {
        return body();
    } catch (const ComError&) {
    } catch (...) {
        LogCaughtException(L"a document query");
    }
    return failure;
}
