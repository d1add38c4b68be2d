#pragma once
// The program's own exception classes. Each carries only its message text.
//  - EFatalTolvexException: the program cannot go on; it ends after the message.
//  - ECriticalTolvexException: the current operation cannot be completed.
//  - EDeveloperTolvexException: an internal rule was broken (fixed English text).
//  - EPublisherTolvexException: a long operation failed on its data.
#include <stdexcept>
#include <string>

class ETolvexException : public std::runtime_error {
public:
    explicit ETolvexException(const std::string& message) : std::runtime_error(message) {}
};

class EFatalTolvexException : public ETolvexException {
public:
    using ETolvexException::ETolvexException;
};

class ECriticalTolvexException : public ETolvexException {
public:
    using ETolvexException::ETolvexException;
};

class EDeveloperTolvexException : public ETolvexException {
public:
    using ETolvexException::ETolvexException;
};

class EPublisherTolvexException : public ETolvexException {
public:
    using ETolvexException::ETolvexException;
};
