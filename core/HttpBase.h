#pragma once

#include <string>
#include <string_view>

// "http://" + host + folder: an address prefix built from a configured host.
inline std::string HttpBase(std::string_view host, std::string_view folder) {
    std::string base = "http://";
    base += host;
    base += folder;
    return base;
}
