#pragma once
// The error model: every failure is an exception derived from Exception, which carries the
// message shown to the user. Messages are text in the program's 8-bit code page (Windows-1252).

#include <stdexcept>
#include <string>

namespace velmora {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// The record store's own checks. Raise through DatabaseError() so that an error concerning a
// named table reads "<table>: <message>".
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// A numeric code returned by the stored table, a cursor, the packet reader or writer. The
// message is empty: the code is what identifies the failure.
class EStoreError : public EDatabaseError {
public:
    explicit EStoreError(int code) : EDatabaseError(std::string()), code_(code) {}
    int Code() const noexcept { return code_; }

private:
    int code_;
};

// The silent abort: ends an operation; the event loop shows nothing for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// Text that does not convert to the asked type ("'%s' is not a valid integer value" …).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened or created; the message ends with the system's own text.
class EFileError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EFileError {
public:
    using EFileError::EFileError;
};
class EFCreateError : public EFileError {
public:
    using EFileError::EFileError;
};

// "%s: %s" with the table's name in front when the table has one, else the message alone.
[[noreturn]] void DatabaseError(const std::string& message, const std::string& tableName = {});

// The conversion errors of the run-time library, with the offending text in place of %s.
[[noreturn]] void InvalidIntegerError(
    const std::string& text);  // "'%s' is not a valid integer value"
[[noreturn]] void InvalidFloatError(const std::string& text);  // "… valid floating point value"

// "Cannot open file "%s". %s" and "Cannot create file "%s". %s" with strerror(errnum).
[[noreturn]] void CannotOpenFileError(const std::string& path, int errnum);
[[noreturn]] void CannotCreateFileError(const std::string& path, int errnum);

// The text of the standard error box: the message with "." appended when it is not empty and
// its last character sorts after "." by character code. An EStoreError's empty message is
// replaced by a short text naming the code, so the user never sees a blank box.
std::string ErrorBoxText(const std::exception& error);

}  // namespace velmora
