#include "platform/db/ConnectionString.h"

#include <algorithm>

namespace db {

namespace {

std::string ServerPrefix(std::string_view host, int port)
{
    std::string prefix;
    if (host.find(':') != std::string_view::npos && host.front() != '[')
        prefix = "[" + std::string(host) + "]";
    else
        prefix = std::string(host);
    if (port > 0)
        prefix += "/" + std::to_string(port);
    return prefix + ":";
}

}  // namespace

std::string ConnectionString(std::string_view host, std::string_view path, int port)
{
    std::string file(path);
    std::replace(file.begin(), file.end(), '\\', '/');
    if (host.empty())
        return file;
    return ServerPrefix(host, port) + file;
}

std::string ServiceManagerName(std::string_view host, int port)
{
    if (host.empty())
        return "service_mgr";
    return ServerPrefix(host, port) + "service_mgr";
}

}  // namespace db
