// XmlRpcException: the error of the XML-RPC layer, one narrow message text.
#pragma once

#include <exception>
#include <string>
#include <utility>

class XmlRpcException : public std::exception {
public:
    explicit XmlRpcException(std::string message) : m_message(std::move(message)) {}

    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};
