// The error convention of the planning document's operations (included by PelquornDoc.h).
#pragma once

#include <optional>

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

template <class Item, class Body>
void CPelquornDoc::GuardedEach(const std::vector<Item>& items, Body&& body)
{
    std::optional<ComError> first;
    for (const Item& item : items) {
        try {
            body(item);
        } catch (const ComError& error) {
            if (!first)
                first = error;
            else
                LogComError(error);
        } catch (...) {
            LogCaughtException(L"a document operation");
        }
    }
    if (first)
        ReportError(*first);
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
