#pragma once
// The Firebird client as the layer's classes reach it: the master interface,
// the utilities, the process-wide provider, and a status object whose
// failures throw FbError. Internal to the database layer.

#include <firebird/Interface.h>

#include <string>
#include <string_view>

namespace db::detail {

// The first call starts the client, which reads FIREBIRD and its
// configuration once.
Firebird::IMaster* Master();
bool ClientStarted();
Firebird::IUtil* Util();
// The dispatcher that picks the remote or the embedded engine by the form of
// the name. One for the process: the client keeps it for the process's life.
Firebird::IProvider* Provider();

// A status whose every failed call throws FbError. Owns its IStatus.
class Status final : public Firebird::BaseStatusWrapper<Status> {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    // Called by the client's wrappers after each call.
    static void checkException(Status* status);
    // The status itself, for calls that must not throw (cleanup paths).
    Firebird::IStatus* Raw() { return status; }
};

// A parameter block (attach, service, ...) under construction, disposed
// however the call that builds it ends. Text with a NUL byte throws FbError.
class ParameterBlock final {
public:
    ParameterBlock(Status& status, unsigned kind);
    ~ParameterBlock();
    ParameterBlock(const ParameterBlock&) = delete;
    ParameterBlock& operator=(const ParameterBlock&) = delete;

    void Tag(unsigned char tag);
    void String(unsigned char tag, std::string_view value);
    void Int(unsigned char tag, int value);
    unsigned Length();
    const unsigned char* Buffer();

private:
    Status& status_;
    Firebird::IXpbBuilder* builder_;
};

// Holds one reference of a reference-counted client object.
template <typename T>
class Ref final {
public:
    Ref() = default;
    explicit Ref(T* object) noexcept : object_(object) {}
    ~Ref() { Reset(); }
    Ref(Ref&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    Ref& operator=(Ref&& other) noexcept
    {
        if (this != &other) {
            Reset();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    void Reset() noexcept
    {
        if (object_ != nullptr)
            object_->release();
        object_ = nullptr;
    }

private:
    T* object_ = nullptr;
};

// Text that came from the server (messages, service output): kept when it is
// UTF-8 (file names are), read as CP932 otherwise (data in messages of an
// SJIS_0208 connection), and never failing: bytes neither form can read
// become "?".
std::string TextFromServer(std::string_view bytes);

// The connection character set of every attachment.
inline constexpr const char* ConnectionCharset = "SJIS_0208";
inline constexpr unsigned SqlDialect = 3;

}  // namespace db::detail
