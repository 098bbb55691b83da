// The error convention of the planning document's operations (included by PelquornDoc.h).
#pragma once

#include <optional>

#include "document/DocumentText.h"
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
        Prompts().ShowError(CaughtFailureText());
    }
    return failure;
}

template <class Body>
void CPelquornDoc::Guarded(Body&& body)
{
    Guarded(false, [&] {
        body();
        return true;
    });
}

template <class Item, class Body>
void CPelquornDoc::GuardedEach(const std::vector<Item>& items, Body&& body)
{
    std::optional<ComError> firstComError;
    std::optional<EString> firstOtherFailure;
    for (const Item& item : items) {
        try {
            body(item);
        } catch (const ComError& error) {
            if (!firstComError && !firstOtherFailure)
                firstComError = error;
            else
                LogComError(error);
        } catch (...) {
            LogCaughtException(L"a document operation");
            if (!firstComError && !firstOtherFailure)
                firstOtherFailure = CaughtFailureText();
        }
    }
    if (firstComError)
        ReportError(*firstComError);
    else if (firstOtherFailure)
        Prompts().ShowError(*firstOtherFailure);
}

template <class Result, class Body>
Result CPelquornDoc::Silently(Result failure, Body&& body)
{
    try {
        return body();
    } catch (const ComError& error) {
        LogComError(error);
    } catch (...) {
        LogCaughtException(L"a document query");
    }
    return failure;
}
