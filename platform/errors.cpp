#include "platform/errors.h"

#include <cstring>

#include "platform/codepage.h"

namespace velmora {

void DatabaseError(const std::string& message, const std::string& tableName) {
    if (tableName.empty()) throw EDatabaseError(message);
    throw EDatabaseError(tableName + ": " + message);
}

void InvalidIntegerError(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}

void InvalidFloatError(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

void CannotOpenFileError(const std::string& path, int errnum) {
    throw EFOpenError("Cannot open file \"" + platform::FromUtf8(path) + "\". " +
                      platform::FromUtf8(std::strerror(errnum)));
}

void CannotCreateFileError(const std::string& path, int errnum) {
    throw EFCreateError("Cannot create file \"" + platform::FromUtf8(path) + "\". " +
                        platform::FromUtf8(std::strerror(errnum)));
}

namespace {

// Ends in its own period: the box's rule adds none after ")".
std::string StoreErrorText(int code) {
    return platform::FromUtf8("Erro interno do banco de dados (código " + std::to_string(code) +
                              ").");
}

}  // namespace

std::string ErrorBoxText(const std::exception& error) {
    std::string text = error.what();
    if (auto* store = dynamic_cast<const EStoreError*>(&error); store && text.empty())
        text = StoreErrorText(store->Code());
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

}  // namespace velmora
