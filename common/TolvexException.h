#pragma once
// The application-wide handler of exceptions that no operation caught.
// It shows one error box with a fixed text around the exception's message
// and, for a fatal exception, asks the application to end in its normal order.
#include <exception>
#include <functional>
#include <string>

class TCommonGui;
class TTranslation;

class TTolvexException {
public:
    // Terminate asks the application to leave its message loop after the
    // current message (the program then shuts down normally).
    TTolvexException(TTranslation& translation, TCommonGui& gui, std::function<void()> terminate,
                     std::string supportAddress);

    void HandleException(const std::exception& e);
    // An exception of a type that is no std::exception.
    void HandleUnknownException();

    // The text shown for a message, with the support address inserted.
    std::string MessageText(const std::string& message) const;

private:
    TTranslation& translation_;
    TCommonGui& gui_;
    std::function<void()> terminate_;
    std::string supportAddress_;
};
