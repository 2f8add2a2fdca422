#pragma once
// Names that pick the engine: a plain path opens the file through the
// embedded engine in this process; "host:path" (or "host/port:path") goes
// over TCP to the Firebird server on that host.
//
// Every non-empty host takes the TCP form, "127.0.0.1" included: on this
// platform a bare path never reaches a server (the embedded engine would open
// the file beside it), so the loopback address must be spelled out to reach
// the local server. Without a port the client uses the RemoteServicePort of
// its firebird.conf (3050 unless the program's root says otherwise).

#include <string>
#include <string_view>

namespace db {

// The database name for host (empty: embedded) and path. Windows folder
// separators in the path ("folder\file", as stored settings may carry them)
// become "/". Port 0: the configured port. An IPv6 address gets its brackets.
std::string ConnectionString(std::string_view host, std::string_view path, int port = 0);

// The service manager's name on host (empty: the embedded engine's services
// in this process).
std::string ServiceManagerName(std::string_view host, int port = 0);

}  // namespace db
