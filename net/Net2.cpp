#include "net/Net2.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "net/FastEvent.h"
#include "net/Net2Texts.h"

namespace ocre {

namespace {

constexpr Uint32 kSocketWaitMs = 10;
constexpr int kSocketSetFailed = -1;
constexpr Uint16 kAnyPort = 0;
constexpr int kNoNumber = -1;
constexpr int kNoDetail = -1;
constexpr int kAllDestinations = -1;  // a UDP send to the packet's own address
constexpr int kBrokenLockExitStatus = 1;
constexpr const char* kNoError = "";

enum SlotKind : uint8_t { kFree = 0, kTcpListener = 1, kTcpConnection = 2, kUdpSocket = 3 };
enum SlotState : uint8_t { kOpening = 1, kActive = 2, kPeerClosed = 4, kOpen = 8, kClosing = 16 };

struct TcpBuffer {
    int32_t count;
    Uint8 bytes[kNet2TcpBufferSize];
};

struct UdpRing {
    int32_t count;
    int32_t head;
    int32_t tail;
    UDPpacket* packets[kNet2UdpRingSize];
};

struct SocketSlot {
    uint8_t kind = kFree;
    uint8_t state = kOpening;
    int32_t value = 0;  // listener: its port; UDP: its packet size
    TCPsocket tcp = nullptr;
    UDPsocket udp = nullptr;
    union {
        TcpBuffer tcpIn;
        UdpRing udpIn;
    };
    SocketSlot() : udpIn() {}
};

// Everything below but the atomics is guarded by dataLock.
bool initialised = false;
std::atomic<bool> stopRequested{false};
std::atomic<bool> threadFinished{false};
std::array<std::unique_ptr<SocketSlot>, kNet2MaxSockets> table;
int slotCount = 0;
int searchStart = 0;
SDLNet_SocketSet socketSet = nullptr;
UDPsocket udpSendSocket = nullptr;
SDL_mutex* dataLock = nullptr;
SDL_mutex* sdlNetLock = nullptr;
int lockHeld = 0;
SDL_cond* readerDone = nullptr;
bool readerWait = false;
SDL_Thread* networkThread = nullptr;
std::atomic<const char*> lastErrorText{nullptr};
std::atomic<int> lastErrorNumber{kNoNumber};

constexpr const char* kAllErrorTexts[] = {
    kNet2CantCreateMutex,     kNet2CantCreateCondition, kNet2OutOfMemory,         kNet2CantOpenSendSocket,
    kNet2CantStartThread,     kNet2CantResolveHost,     kNet2CantFindHost,        kNet2CantOpenSocket,
    kNet2CantSendOnSocket,    kNet2TcpSendFailed,       kNet2UdpSendFailed,       kNet2CheckSocketsFailed,
    kNet2AddUnusedSocket,     kNet2CantAddTcpSocket,    kNet2CantAddUdpSocket,    kNet2InvalidSocketType,
    kNet2DeleteUnusedSocket,  kNet2CantDeleteTcpSocket, kNet2CantDeleteUdpSocket, kNet2TcpAcceptFailed,
    kNet2CantLockData,        kNet2CantLockSdlNet,      kNet2CantUnlockData,      kNet2CantUnlockSdlNet,
};

void recordError(const char* text, int number) {
    lastErrorText = text;
    lastErrorNumber = number;
}

// A failed data lock leaves the table unguarded, so callers give up.
bool lockData() {
    const int result = SDL_mutexP(dataLock);
    lockHeld = 1;
    if (result == -1) {
        recordError(kNet2CantLockData, result);
        return false;
    }
    return true;
}

void unlockData() {
    lockHeld = 0;
    const int result = SDL_mutexV(dataLock);
    if (result == -1) recordError(kNet2CantUnlockData, result);
}

void lockSdlNet() {
    const int result = SDL_mutexP(sdlNetLock);
    if (result == -1) recordError(kNet2CantLockSdlNet, result);
}

void unlockSdlNet() {
    const int result = SDL_mutexV(sdlNetLock);
    if (result == -1) recordError(kNet2CantUnlockSdlNet, result);
}

// SDL_net is not thread-safe, and both the network thread and the callers
// use it: every call into it is made under its own lock.
template <typename Call>
auto underSdlNet(Call call) {
    struct Unlock {
        ~Unlock() { unlockSdlNet(); }
    };
    lockSdlNet();
    const Unlock unlockOnReturn;
    return call();
}

// A reader has made room: the network thread may service sockets again.
// Cleared under the data lock, so the thread cannot miss the wake-up between
// testing the flag and starting to wait.
void releaseDataAndWakeThread() {
    readerWait = false;
    unlockData();
    SDL_CondSignal(readerDone);
}

bool validIndex(int index) { return index >= 0 && index < slotCount; }

bool isTcpKind(uint8_t kind) { return kind == kTcpListener || kind == kTcpConnection; }

SocketSlot* slotOfKind(int index, uint8_t kind) {
    if (!validIndex(index) || table[index]->kind != kind) return nullptr;
    return table[index].get();
}

// Called with the data lock held, which is released while the event waits
// for room in a full queue: the table may change meanwhile.
void post(int code, int socket, const void* detail) {
    if (lockHeld == 0) {
        std::fflush(stdout);
        _exit(kBrokenLockExitStatus);
    }
    SDL_Event event;
    std::memset(&event, 0, sizeof event);
    event.type = SDL_USEREVENT;
    event.user.code = code;
    event.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(socket));
    event.user.data2 = const_cast<void*>(detail);
    unlockData();
    fe_push(&event);
    lockData();
}

const void* detailNumber(intptr_t number) { return reinterpret_cast<const void*>(number); }

void postError(int socket, const char* text) { post(kNet2ErrorEvent, socket, text); }

// Round robin from searchStart, which stays on the slot taken; a new record
// only when every existing one is in use. Data lock held.
int allocateSlot(uint8_t kind) {
    int index = -1;
    for (int examined = 0; examined < slotCount; ++examined) {
        if (table[searchStart]->kind == kFree) {
            index = searchStart;
            break;
        }
        searchStart = (searchStart + 1) % slotCount;
    }
    if (index < 0) {
        if (slotCount >= kNet2MaxSockets) {
            recordError(kNet2OutOfMemory, kNoNumber);
            return -1;
        }
        table[slotCount].reset(new (std::nothrow) SocketSlot());
        if (!table[slotCount]) {
            recordError(kNet2OutOfMemory, kNoNumber);
            return -1;
        }
        index = slotCount++;
    }
    SocketSlot& slot = *table[index];
    slot.kind = kind;
    slot.state = kOpening;
    slot.tcp = nullptr;
    slot.udp = nullptr;
    if (kind == kTcpConnection) slot.tcpIn.count = 0;
    if (kind == kUdpSocket) {
        slot.udpIn.count = 0;
        slot.udpIn.head = 0;
        slot.udpIn.tail = 0;
    }
    return index;
}

void freeQueuedDatagrams(SocketSlot& slot) {
    UdpRing& ring = slot.udpIn;
    while (ring.count > 0) {
        underSdlNet([&] { SDLNet_FreePacket(ring.packets[ring.head]); });
        ring.head = (ring.head + 1) % kNet2UdpRingSize;
        --ring.count;
    }
}

void releaseSlot(int index) {
    if (!validIndex(index) || table[index]->kind == kFree) return;
    SocketSlot& slot = *table[index];
    if (slot.kind == kUdpSocket) freeQueuedDatagrams(slot);
    slot.kind = kFree;
    slot.state = kOpening;
    slot.tcp = nullptr;
    slot.udp = nullptr;
}

// --- the network thread's visit, data lock held throughout ---

void addToSocketSet(int index, SocketSlot& slot) {
    if (slot.kind == kFree) {
        postError(index, kNet2AddUnusedSocket);
        return;
    }
    const bool tcp = isTcpKind(slot.kind);
    if (!tcp && slot.kind != kUdpSocket) {
        postError(index, kNet2InvalidSocketType);
        return;
    }
    const int added = underSdlNet([&] {
        return tcp ? SDLNet_TCP_AddSocket(socketSet, slot.tcp) : SDLNet_UDP_AddSocket(socketSet, slot.udp);
    });
    if (added == kSocketSetFailed) {
        slot.state = kClosing;
        postError(index, tcp ? kNet2CantAddTcpSocket : kNet2CantAddUdpSocket);
    } else {
        slot.state = kActive;
    }
}

// A socket closed before it joined the set is not in it: SDL_net says so,
// that is reported, and the socket is still closed and freed.
void removeFromSocketSet(int index, SocketSlot& slot) {
    if (slot.kind == kFree) {
        postError(index, kNet2DeleteUnusedSocket);
        return;
    }
    const bool tcp = isTcpKind(slot.kind);
    if (!tcp && slot.kind != kUdpSocket) {
        postError(index, kNet2InvalidSocketType);
        return;
    }
    const int removed = underSdlNet([&] {
        return tcp ? SDLNet_TCP_DelSocket(socketSet, slot.tcp) : SDLNet_UDP_DelSocket(socketSet, slot.udp);
    });
    if (removed == kSocketSetFailed) postError(index, tcp ? kNet2CantDeleteTcpSocket : kNet2CantDeleteUdpSocket);
    underSdlNet([&] {
        if (tcp) SDLNet_TCP_Close(slot.tcp);
        else SDLNet_UDP_Close(slot.udp);
    });
    releaseSlot(index);
}

void acceptConnection(int listenerIndex, SocketSlot& listener) {
    TCPsocket accepted = underSdlNet([&] { return SDLNet_TCP_Accept(listener.tcp); });
    if (accepted == nullptr) return;
    const int index = allocateSlot(kTcpConnection);
    if (index < 0) {
        underSdlNet([&] { SDLNet_TCP_Close(accepted); });
        postError(listenerIndex, kNet2TcpAcceptFailed);
        return;
    }
    table[index]->tcp = accepted;
    table[index]->state = kOpen;
    post(kNet2AcceptedEvent, index, detailNumber(listener.value));
}

void receiveTcp(int index, SocketSlot& slot) {
    TcpBuffer& in = slot.tcpIn;
    if (in.count == kNet2TcpBufferSize) {
        readerWait = true;
        return;
    }
    const int received =
        underSdlNet([&] { return SDLNet_TCP_Recv(slot.tcp, in.bytes + in.count, kNet2TcpBufferSize - in.count); });
    if (received <= 0) {
        slot.state = kPeerClosed;
        post(kNet2ClosedEvent, index, detailNumber(kNoDetail));
        return;
    }
    const bool wasEmpty = in.count == 0;
    in.count += received;
    if (wasEmpty) post(kNet2TcpDataEvent, index, detailNumber(kNoDetail));
}

// Drains every waiting datagram the ring can hold in one visit.
void receiveUdp(int index, SocketSlot& slot) {
    UdpRing& ring = slot.udpIn;
    if (ring.count == kNet2UdpRingSize) {
        readerWait = true;
        return;
    }
    UDPpacket* packet = nullptr;
    int received = 0;
    do {
        packet = underSdlNet([&] { return SDLNet_AllocPacket(slot.value); });
        if (packet == nullptr) break;
        received = underSdlNet([&] { return SDLNet_UDP_Recv(slot.udp, packet); });
        if (received != 1) break;
        const bool wasEmpty = ring.count == 0;
        ring.packets[ring.tail] = packet;
        ring.tail = (ring.tail + 1) % kNet2UdpRingSize;
        ++ring.count;
        if (wasEmpty) post(kNet2UdpDataEvent, index, detailNumber(kNoDetail));
    } while (ring.count < kNet2UdpRingSize);
    if (ring.count == kNet2UdpRingSize) return;
    if (packet == nullptr) {
        postError(index, kNet2OutOfMemory);
    } else if (received != 1) {
        underSdlNet([&] { SDLNet_FreePacket(packet); });
    }
}

void visitSlot(int index, SocketSlot& slot) {
    if (slot.state == kOpen) {
        addToSocketSet(index, slot);
    } else if (slot.state == kClosing) {
        removeFromSocketSet(index, slot);
    } else if (slot.kind == kTcpListener && SDLNet_SocketReady(slot.tcp)) {
        acceptConnection(index, slot);
    } else if (slot.kind == kTcpConnection && slot.state == kActive && SDLNet_SocketReady(slot.tcp)) {
        receiveTcp(index, slot);
    } else if (slot.kind == kUdpSocket && slot.state == kActive && SDLNet_SocketReady(slot.udp)) {
        receiveUdp(index, slot);
    }
}

int runNetworkThread(void*) {
    if (stopRequested) {
        threadFinished = true;
        return 0;
    }
    for (;;) {
        // Without either lock: only this thread changes the socket set.
        if (SDLNet_CheckSockets(socketSet, kSocketWaitMs) == kSocketSetFailed) {
            recordError(kNet2CheckSocketsFailed, kNoNumber);
        }
        lockData();
        // A full receive area stops all servicing until a reader makes room.
        while (!stopRequested && readerWait) {
            lockHeld = 0;
            SDL_CondWait(readerDone, dataLock);
            lockHeld = 1;
        }
        if (!stopRequested) {
            for (int index = 0; index < slotCount; ++index) {
                visitSlot(index, *table[index]);
                if (stopRequested) break;
            }
        }
        unlockData();
        if (stopRequested) break;
    }
    threadFinished = true;
    return 0;
}

void closeEverySocket() {
    for (int index = 0; index < slotCount; ++index) {
        SocketSlot* slot = table[index].get();
        if (slot == nullptr) continue;
        if (isTcpKind(slot->kind)) {
            if (slot->tcp != nullptr) SDLNet_TCP_Close(slot->tcp);
        } else if (slot->kind == kUdpSocket) {
            if (slot->udp != nullptr) SDLNet_UDP_Close(slot->udp);
            freeQueuedDatagrams(*slot);
        }
        table[index].reset();
    }
    slotCount = 0;
    searchStart = 0;
    if (socketSet != nullptr) SDLNet_FreeSocketSet(socketSet);
    socketSet = nullptr;
}

// The common end of every opening operation; data lock held.
int finishOpening(int index, TCPsocket tcp, UDPsocket udp, int32_t value, int failureNumber) {
    if (tcp == nullptr && udp == nullptr) {
        recordError(kNet2CantOpenSocket, failureNumber);
        releaseSlot(index);
        return -1;
    }
    SocketSlot& slot = *table[index];
    slot.tcp = tcp;
    slot.udp = udp;
    slot.value = value;
    slot.state = kOpen;
    return index;
}

int openTcp(uint8_t kind, IPaddress* address, int32_t value) {
    const int index = allocateSlot(kind);
    if (index < 0) return -1;
    TCPsocket socket = underSdlNet([&] { return SDLNet_TCP_Open(address); });
    return finishOpening(index, socket, nullptr, value, kNoNumber);
}

}  // namespace

int net2_start() {
    if (initialised) return 0;
    recordError(nullptr, kNoNumber);
    stopRequested = false;
    threadFinished = false;
    dataLock = SDL_CreateMutex();
    sdlNetLock = SDL_CreateMutex();
    if (dataLock == nullptr || sdlNetLock == nullptr) {
        recordError(kNet2CantCreateMutex, kNoNumber);
        return -1;
    }
    readerDone = SDL_CreateCond();
    if (readerDone == nullptr) {
        recordError(kNet2CantCreateCondition, kNoNumber);
        return -1;
    }
    searchStart = 0;
    slotCount = 0;
    readerWait = false;
    socketSet = SDLNet_AllocSocketSet(kNet2MaxSockets);
    if (socketSet == nullptr) {
        recordError(kNet2OutOfMemory, kNoNumber);
        return -1;
    }
    for (auto& entry : table) entry.reset();
    udpSendSocket = SDLNet_UDP_Open(kAnyPort);
    if (udpSendSocket == nullptr) {
        recordError(kNet2CantOpenSendSocket, kNoNumber);
        return -1;
    }
    networkThread = SDL_CreateThread(runNetworkThread, nullptr);
    if (networkThread == nullptr) {
        recordError(kNet2CantStartThread, kNoNumber);
        return -1;
    }
    initialised = true;
    return 0;
}

void net2_stop() {
    if (!initialised) return;
    stopRequested = true;
    // The thread may be waiting in fe_push for room, or on a full receive
    // area; keep both ways open until it has seen the stop flag. Draining
    // once is not enough when another thread refills the queue meanwhile.
    SDL_Event discarded;
    do {
        while (fe_poll(&discarded) > 0) {
        }
        if (lockData()) releaseDataAndWakeThread();
        if (!threadFinished) SDL_Delay(1);
    } while (!threadFinished);
    SDL_WaitThread(networkThread, nullptr);
    networkThread = nullptr;
    // The push that was waiting for room has landed meanwhile; it names a
    // socket about to be closed, so it goes too.
    while (fe_poll(&discarded) > 0) {
    }
    closeEverySocket();
    SDLNet_UDP_Close(udpSendSocket);
    udpSendSocket = nullptr;
    SDL_DestroyMutex(dataLock);
    dataLock = nullptr;
    SDL_DestroyMutex(sdlNetLock);
    sdlNetLock = nullptr;
    SDL_DestroyCond(readerDone);
    readerDone = nullptr;
    recordError(nullptr, kNoNumber);
    initialised = false;
}

int net2_resolve(IPaddress* address, const char* host, Uint16 port) {
    return underSdlNet([&] { return SDLNet_ResolveHost(address, host, port); });
}

int net2_listen_tcp(Uint16 port) {
    if (!lockData()) return -1;
    IPaddress address;
    int index = -1;
    if (net2_resolve(&address, nullptr, port) == -1) {
        recordError(kNet2CantResolveHost, kNoNumber);
    } else {
        index = openTcp(kTcpListener, &address, port);
    }
    unlockData();
    return index;
}

int net2_listen_tcp_at(IPaddress* address) {
    if (!lockData()) return -1;
    const int index = openTcp(kTcpListener, address, address->port);
    unlockData();
    return index;
}

int net2_connect_tcp(const char* host, Uint16 port) {
    if (!lockData()) return -1;
    IPaddress address;
    int index = -1;
    if (net2_resolve(&address, host, port) == -1) {
        recordError(kNet2CantFindHost, kNoNumber);
    } else {
        index = openTcp(kTcpConnection, &address, 0);
    }
    unlockData();
    return index;
}

int net2_connect_tcp_at(IPaddress* address) {
    if (!lockData()) return -1;
    const int index = openTcp(kTcpConnection, address, 0);
    unlockData();
    return index;
}

void net2_close_tcp(int socket) {
    if (!lockData()) return;
    if (validIndex(socket) && isTcpKind(table[socket]->kind)) {
        table[socket]->state = kClosing;
    }
    unlockData();
}

int net2_send_tcp(int socket, const void* data, int length) {
    if (!lockData()) return -1;
    SocketSlot* slot = slotOfKind(socket, kTcpConnection);
    if (slot == nullptr || (slot->state != kActive && slot->state != kOpen)) {
        recordError(kNet2CantSendOnSocket, socket);
        unlockData();
        return -1;
    }
    int result = 0;
    if (length > 0) {
        const int sent = underSdlNet([&] { return SDLNet_TCP_Send(slot->tcp, data, length); });
        if (sent != length) {
            slot->state = kPeerClosed;
            recordError(kNet2TcpSendFailed, socket);
            post(kNet2ClosedEvent, socket, detailNumber(kNoDetail));
            result = -1;
        }
    }
    unlockData();
    return result;
}

int net2_read_tcp(int socket, void* buffer, int length) {
    if (!lockData()) return 0;
    int copied = 0;
    SocketSlot* slot = slotOfKind(socket, kTcpConnection);
    if (length > 0 && slot != nullptr) {
        TcpBuffer& in = slot->tcpIn;
        copied = std::min(in.count, length);
        std::memcpy(buffer, in.bytes, static_cast<size_t>(copied));
        std::memmove(in.bytes, in.bytes + copied, static_cast<size_t>(in.count - copied));
        in.count -= copied;
    }
    releaseDataAndWakeThread();
    return copied;
}

IPaddress* net2_tcp_peer(int socket) {
    if (!lockData()) return nullptr;
    IPaddress* peer = nullptr;
    SocketSlot* slot = slotOfKind(socket, kTcpConnection);
    if (slot != nullptr && slot->tcp != nullptr) {
        peer = underSdlNet([&] { return SDLNet_TCP_GetPeerAddress(slot->tcp); });
    }
    unlockData();
    return peer;
}

int net2_open_udp(Uint16 port, int packetSize) {
    if (!lockData()) return -1;
    int index = allocateSlot(kUdpSocket);
    if (index >= 0) {
        UDPsocket socket = underSdlNet([&] { return SDLNet_UDP_Open(port); });
        index = finishOpening(index, nullptr, socket, packetSize, index);
    }
    unlockData();
    return index;
}

void net2_close_udp(int socket) {
    if (!lockData()) return;
    if (slotOfKind(socket, kUdpSocket) != nullptr) table[socket]->state = kClosing;
    unlockData();
}

int net2_send_udp(IPaddress* address, const void* data, int length) {
    if (!lockData()) return -1;
    UDPpacket packet;
    std::memset(&packet, 0, sizeof packet);
    packet.channel = kAllDestinations;
    packet.data = static_cast<Uint8*>(const_cast<void*>(data));
    packet.len = length;
    packet.maxlen = length;
    packet.address = *address;
    const int destinations = underSdlNet([&] { return SDLNet_UDP_Send(udpSendSocket, kAllDestinations, &packet); });
    int result = 0;
    if (destinations == 0) {
        recordError(kNet2UdpSendFailed, kNoNumber);
        result = -1;
    }
    unlockData();
    return result;
}

UDPpacket* net2_read_udp(int socket) {
    if (!lockData()) return nullptr;
    UDPpacket* packet = nullptr;
    SocketSlot* slot = slotOfKind(socket, kUdpSocket);
    if (slot != nullptr && slot->udpIn.count > 0) {
        UdpRing& ring = slot->udpIn;
        packet = ring.packets[ring.head];
        ring.head = (ring.head + 1) % kNet2UdpRingSize;
        --ring.count;
    }
    releaseDataAndWakeThread();
    return packet;
}

void net2_free_packet(UDPpacket* packet) {
    underSdlNet([&] { SDLNet_FreePacket(packet); });
}

int net2_event_kind(const SDL_Event* event) { return event->user.code; }

int net2_event_socket(const SDL_Event* event) {
    return static_cast<int>(reinterpret_cast<intptr_t>(event->user.data1));
}

int net2_event_detail(const SDL_Event* event) {
    if (event->user.code == kNet2ErrorEvent) return kNoDetail;
    return static_cast<int>(reinterpret_cast<intptr_t>(event->user.data2));
}

// Only texts the manager itself posts are handed out, so a stray user event
// with code 0 can never be printed through a wild pointer.
const char* net2_event_error(const SDL_Event* event) {
    if (event->user.code != kNet2ErrorEvent) return nullptr;
    for (const char* text : kAllErrorTexts) {
        if (event->user.data2 == text) return text;
    }
    return nullptr;
}

const char* net2_last_error() {
    const char* text = lastErrorText;
    return text != nullptr ? text : kNoError;
}

int net2_last_error_number() { return lastErrorNumber; }

}  // namespace ocre
