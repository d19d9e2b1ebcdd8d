#pragma once

#include <string>

// The service's web address: "http://" + host, the port only when it is not
// 80, then "/".
std::string WebAddress(const std::string& host, int httpPort);

// The address of this build's service host.
std::string ServiceWebAddress();
