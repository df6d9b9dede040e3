// The texts of socket errors, by the codes the challenge reports (the Windows socket codes, to
// which our Qt sockets map their errors).
#pragma once

#include <string>

namespace quorbel {

inline constexpr int kSocketAddressInUse = 10048;
inline constexpr int kSocketNetworkDown = 10050;
inline constexpr int kSocketConnectionReset = 10054;
inline constexpr int kSocketTimedOut = 10060;
inline constexpr int kSocketRefused = 10061;
inline constexpr int kSocketHostUnreachable = 10065;
inline constexpr int kSocketAccess = 10013;

// The code's name and text ("WSAECONNREFUSED Connection refused. "); an unknown code in decimal.
std::string SocketErrorText(int code);

} // namespace quorbel
