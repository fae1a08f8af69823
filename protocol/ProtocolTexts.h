#pragma once
// Every text, size and number of the client protocol, in one place: the
// server and the ocre-bot client both speak from this list. Free of SDL so
// that plain tools can include it.

#include <cstddef>
#include <cstdint>

#include "gfx/ScreenSize.h"

namespace ocre::protocol {

// Transport.
constexpr uint16_t kServerPort = 5550;
// How much of a received datagram the server keeps is kCommandPacketSize,
// beside the network controller that opens the socket.
// Every reply and display update is sent as exactly this many bytes.
constexpr size_t kDatagramSize = 100;

// Connection requests (client to server) and their field capacities, in
// characters. The scanning pattern reads one more character per word than
// the capacity allows, so that an over-long word is recognised and the
// datagram ignored rather than read into the next field.
inline constexpr char kRequestFormat[] = "from CLIENT to SERVEUR %s %s %s %s %u";
inline constexpr char kRequestPattern[] = "from CLIENT to SERVEUR %100s %256s %256s %256s %u";
inline constexpr char kRequestPrefixPattern[] = "from CLIENT to%n";
constexpr int kRequestFieldCount = 5;
constexpr size_t kRequestCommandCapacity = 99;
constexpr size_t kLoginCapacity = 255;
constexpr size_t kPasswordCapacity = 255;
constexpr size_t kHostCapacity = 255;
inline constexpr char kConnectionRequest[] = "connection_request";
inline constexpr char kPassword[] = "ocre";

// Replies (server to client).
inline constexpr char kRefusalFormat[] = "from SERVEUR to CLIENT connection_refused %s";
inline constexpr char kAcceptanceFormat[] = "from SERVEUR to CLIENT connection_accepted %s";
inline constexpr char kReasonAuthentication[] = "authentification failed";
inline constexpr char kReasonTooMany[] = "too much connections";
// Kept for the clients that know it: with kMaxClients far below the count of
// client numbers, this server never runs out of them and never sends it.
inline constexpr char kReasonNoNumber[] = "server enable to attribute a valid id";
inline constexpr char kGreeting[] = "hello";
// The greeting field; only the first 56 characters fit in an acceptance.
constexpr size_t kGreetingCapacity = 255;

// Operator log lines of the handshake (standard output). Every reply is
// also echoed there, whole and on a line of its own.
inline constexpr char kLogRequest[] = "**** demande de connexion du client %s %s %s %u ****\n";
inline constexpr char kLogAuthenticationFailed[] = "authentification failed \n";
inline constexpr char kLogAuthenticationPassed[] = "authentification reussie\n";
inline constexpr char kLogAlreadyConnected[] = "client already connected\n";
inline constexpr char kLogTooMany[] = "too much connections \n";
inline constexpr char kLogAdmission[] =
    "****   Connexion du client %s (ip=%s,port=%u,id_client_attribue=%u) **** \n";

// Admission.
constexpr int32_t kMaxClients = 5;
// Client numbers are 0 .. kClientNumberCount - 1.
constexpr uint32_t kClientNumberCount = 65535;
constexpr uint32_t kUnassignedClientNumber = 0xFFFFFFFFu;
constexpr int32_t kClientListCapacity = 10;
constexpr int32_t kClientListGrowth = 5;

// Client commands (client to server). The command word is read up to 199
// characters; the pattern reads one more to recognise longer words.
inline constexpr char kCommandFormat[] = "from CLIENT %u to SERVEUR %s";
inline constexpr char kCommandPattern[] = "from CLIENT %u to SERVEUR %200s";
inline constexpr char kCommandPrefixPattern[] = "from CLIENT %u";
constexpr size_t kCommandWordCapacity = 199;
// In controller query order: up, down, left, right, jump, fire1, fire2, escape.
inline constexpr const char* kCommandWords[] = {"go_up",   "go_down",  "go_left",  "go_right",
                                                "go_jump", "go_fire1", "go_fire2", "go_escape"};
constexpr int kCommandWordCount = 8;
// The one network controller of the server steers for this client number.
constexpr uint32_t kSteeringClientNumber = 1111;

// Display updates (server to client).
inline constexpr char kCameraFormat[] = "from SERVEUR to CLIENT %u affiche (%u,%u,0,0)";
inline constexpr char kActorFormat[] = "from SERVEUR to CLIENT %u sprite (%u,%u,%u,%u)";
// What a client reads them back with: the display patterns (an actor
// message reads back with its own format; the camera's last two fields are
// read rather than taken as zeros), and the fixed words a reply begins with
// before its reason or greeting.
inline constexpr char kCameraPattern[] = "from SERVEUR to CLIENT %u affiche (%u,%u,%u,%u)";
inline constexpr const char* kActorPattern = kActorFormat;
inline constexpr char kRefusalPrefix[] = "from SERVEUR to CLIENT connection_refused";
inline constexpr char kAcceptancePrefix[] = "from SERVEUR to CLIENT connection_accepted";

// Views.
// A client is sent what the server's screen would show around its camera.
constexpr int32_t kClientViewWidth = kScreenWidth;
constexpr int32_t kClientViewHeight = kScreenHeight;
constexpr uint32_t kStartupViewClientNumber = 1111;
constexpr int32_t kStartupViewWidth = 320;
constexpr int32_t kStartupViewHeight = 240;
constexpr uint16_t kStartupViewPort = 666;

// The main loop's pace: one turn, and so one complete picture per client,
// this often.
constexpr uint32_t kTurnMilliseconds = 25;
static_assert(1000 % kTurnMilliseconds == 0, "a whole number of turns per second");
constexpr int kPassesPerSecond = 1000 / kTurnMilliseconds;

// Datagrams waiting for the other reader of the shared socket; beyond this
// many, later arrivals are dropped, as a full socket queue would.
constexpr size_t kInboxQueueLimit = 256;

}  // namespace ocre::protocol
