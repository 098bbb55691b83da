// The error convention of the planning document's operations (included by PelquornDoc.h).
#pragma once

#include "foundation/ComError.h"

template <class Result, class Body>
Result CPelquornDoc::Guarded(Result failure, Body&& body)
{
    try {
        return body();
    } catch (const ComError& error) {
        ReportError(error);
    } catch (...) {
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
    }
}

template <class Result, class Body>
Result CPelquornDoc::Silently(Result failure, Body&& body)
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}
