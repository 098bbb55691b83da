#include "mail/CMimeCodeBase.h"

#include <cstring>

void CMimeCodeBase::SetInput(const char* input, size_t length, bool encode)
{
    m_input = input;
    m_length = input ? length : 0;
    m_encode = encode;
}

size_t CMimeCodeBase::GetOutput(char* buffer, size_t room) const
{
    const std::string output = GetOutput();
    const size_t count = output.size() < room ? output.size() : room;
    if (count)
        std::memcpy(buffer, output.data(), count);
    return count;
}
