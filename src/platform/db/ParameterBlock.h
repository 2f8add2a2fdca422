#pragma once
// Building the parameter blocks of attachments and services. Internal to the
// database layer.

#include "platform/db/FbHandle.h"

#include <string_view>

namespace db::detail {

// A parameter block (attach, service, ...) under construction, disposed
// however the call that builds it ends. Text with a NUL byte throws FbError.
class ParameterBlock final {
public:
    ParameterBlock(Status& status, unsigned kind);
    ParameterBlock(const ParameterBlock&) = delete;
    ParameterBlock& operator=(const ParameterBlock&) = delete;

    void Tag(unsigned char tag);
    void String(unsigned char tag, std::string_view value);
    void Int(unsigned char tag, int value);
    unsigned Length();
    const unsigned char* Buffer();

private:
    Status& status_;
    Handle<Firebird::IXpbBuilder> builder_;
};

}  // namespace db::detail
