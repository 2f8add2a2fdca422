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

// Text that came from the server (messages, service output): kept when it is
// UTF-8 (file names are), read as CP932 otherwise (data in messages of an
// SJIS_0208 connection), and never failing: bytes neither form can read
// become "?".
std::string TextFromServer(std::string_view bytes);

}  // namespace db::detail
