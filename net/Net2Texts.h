#pragma once
// The socket manager's failure texts, as recorded in its last error and
// carried by its error events. Each text is one object, so an error event's
// text can be recognised by its address.

namespace ocre {

inline constexpr char kNet2CantCreateMutex[] = "NET2: can't create a mutex";
inline constexpr char kNet2CantCreateCondition[] = "NET2: can't create a condition variable";
inline constexpr char kNet2OutOfMemory[] = "NET2: out of memory";
inline constexpr char kNet2CantOpenSendSocket[] = "NET2: can't open the UDP send socket";
inline constexpr char kNet2CantStartThread[] = "NET2: can't start the network thread";
inline constexpr char kNet2CantResolveHost[] = "NET2: can't resolve that host name or address";
inline constexpr char kNet2CantFindHost[] = "NET2: can't find that host name or address";
inline constexpr char kNet2CantOpenSocket[] = "NET2: can't open a socket";
inline constexpr char kNet2CantSendOnSocket[] = "NET2: you can't do a TCP send on that socket";
inline constexpr char kNet2TcpSendFailed[] = "NET2: can't send TCP data, expect a close event";
inline constexpr char kNet2UdpSendFailed[] = "NET2: UDP send failed";
inline constexpr char kNet2CheckSocketsFailed[] = "NET2: the CheckSockets call failed";
inline constexpr char kNet2AddUnusedSocket[] = "NET2: trying to add an unused socket";
inline constexpr char kNet2CantAddTcpSocket[] = "NET2: can't add a TCP socket to the socket set";
inline constexpr char kNet2CantAddUdpSocket[] = "NET2: can't add a UDP socket to the socket set";
inline constexpr char kNet2InvalidSocketType[] = "NET2: invalid socket type, this should never happen";
inline constexpr char kNet2DeleteUnusedSocket[] = "NET2: trying to delete an unused socket";
inline constexpr char kNet2CantDeleteTcpSocket[] = "NET2: can't delete a TCP socket from the socket set";
inline constexpr char kNet2CantDeleteUdpSocket[] = "NET2: can't delete a UDP socket from the socket set";
inline constexpr char kNet2TcpAcceptFailed[] = "NET2: a TCP accept failed";
inline constexpr char kNet2CantLockData[] = "NET2: can't lock Data mutex";
inline constexpr char kNet2CantLockSdlNet[] = "NET2: can't lock SDLNet mutex";
inline constexpr char kNet2CantUnlockData[] = "NET2: can't unlock Data mutex";
inline constexpr char kNet2CantUnlockSdlNet[] = "NET2: can't unlock SDLNet mutex";

}  // namespace ocre
