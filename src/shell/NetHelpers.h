#pragma once
// Address helpers. Addresses are 32-bit IPv4 values in network byte order, as on the wire.
#include <cstdint>
#include <string>
#include <string_view>

namespace vlk {

// Twelve upper-case hexadecimal digits of the first non-loopback adapter's hardware address;
// empty when there is none.
std::string GetMacAddress();
// First IPv4 address of a host name or dotted address; 0 when it does not resolve.
uint32_t ResolveHost(std::string_view name);
std::string IPToText(uint32_t address);
// "a.b.c.*"
std::string IPMask(uint32_t address);

} // namespace vlk
