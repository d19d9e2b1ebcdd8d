#include "app/ServiceAddress.h"

#include "CorvalenConfig.h"

std::string WebAddress(const std::string& host, int httpPort) {
    std::string address = "http://" + host;
    if (httpPort != 80)
        address += ":" + std::to_string(httpPort);
    return address + "/";
}

std::string ServiceWebAddress() {
    return WebAddress(CORVALEN_SERVICE_HOST, CORVALEN_HTTP_PORT);
}
