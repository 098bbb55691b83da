#include "foundation/CaughtException.h"

#include <cstring>
#include <exception>

#include "foundation/ComError.h"
#include "foundation/CTFile.h"
#include "foundation/Log.h"

EString DescribeCaughtException()
{
    // Rethrowing with nothing in flight would end the program.
    if (!std::current_exception())
        return L"no exception";
    try {
        throw;
    } catch (const ComError& error) {
        return EString::Formatted(L"0x%x: %s", static_cast<unsigned>(error.Error()), error.Description().c_str());
    } catch (const std::exception& error) {
        return AnsiToWide(error.what(), std::strlen(error.what()));
    } catch (...) {
        return L"an exception of unknown type";
    }
}

void LogCaughtException(const wchar_t* where)
{
    LogMessage(L"EXCEPTION in %s: %s\n", where, DescribeCaughtException().c_str());
}
