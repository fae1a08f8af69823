#include "protocol/ClientTable.h"

#include <cstdio>

#include "net/NetworkService.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ProtocolParsing.h"
#include "protocol/ViewFactory.h"

namespace ocre::protocol {

namespace {

constexpr uint32_t kHighestPort = 65535;

void releaseAll(PointerList<ClientRecord>& list) {
    for (ClientRecord* record : list) delete record;
    list.clear();
}

}  // namespace

ClientTable::ClientTable(NetworkService& service, DatagramInbox& inbox, std::unique_ptr<ViewFactory> factory,
                         const char* greeting)
    : service_(service),
      inbox_(inbox),
      greeting_(std::string(greeting).substr(0, kGreetingCapacity)),
      viewFactory_(std::move(factory)) {}

ClientTable::~ClientTable() { releaseRecords(); }

void ClientTable::releaseRecords() {
    releaseAll(pending_);
    releaseAll(accepted_);
}

void ClientTable::serveRequests() {
    readRequests();
    while (pending_.count() > 0) {
        std::unique_ptr<ClientRecord> record(pending_.at(0));
        pending_.removeAt(0);
        answer(std::move(record));
    }
    // The operator watches these lines as they happen, even when standard
    // output is a pipe or a file.
    std::fflush(stdout);
}

// Requests that the command reader found earlier in the turn are already
// waiting in the inbox, ahead of what this read adds.
void ClientTable::readRequests() {
    inbox_.collect();
    std::string text;
    while (inbox_.takeRequest(text)) {
        ConnectionRequest request;
        if (!parseConnectionRequest(text, request) || request.command != kConnectionRequest) continue;
        std::printf(kLogRequest, request.login.c_str(), request.password.c_str(), request.host.c_str(),
                    request.port);
        // A port that no UDP datagram can carry is as unreachable as a host
        // that does not resolve: the request is dropped the same way.
        auto record = std::make_unique<ClientRecord>();
        if (request.port > kHighestPort ||
            service_.resolve_host(&record->address, request.host.c_str(), static_cast<Uint16>(request.port)) == -1)
            continue;
        record->host = request.host;
        record->port = request.port;
        record->login = request.login;
        record->password = request.password;
        pending_.append(record.release());
    }
}

void ClientTable::answer(std::unique_ptr<ClientRecord> record) {
    if (record->password != kPassword) {
        sendRefusal(*record, kReasonAuthentication);
        std::printf("%s", kLogAuthenticationFailed);
        return;
    }
    std::printf("%s", kLogAuthenticationPassed);
    if (alreadyAdmitted(*record)) {
        sendAcceptance(*record, greeting_.c_str());
        std::printf("%s", kLogAlreadyConnected);
        return;
    }
    if (accepted_.count() >= kMaxClients) {
        sendRefusal(*record, kReasonTooMany);
        std::printf("%s", kLogTooMany);
        return;
    }
    record->clientNumber = freeClientNumber();
    ClientRecord* admitted = record.release();
    accepted_.append(admitted);
    std::printf(kLogAdmission, admitted->login.c_str(), admitted->host.c_str(), admitted->port,
                admitted->clientNumber);
    sendAcceptance(*admitted, greeting_.c_str());
    viewFactory_->openView(*admitted);
}

bool ClientTable::alreadyAdmitted(const ClientRecord& record) const {
    for (const ClientRecord* admitted : accepted_)
        if (admitted->login == record.login) return true;
    return false;
}

uint32_t ClientTable::freeClientNumber() const {
    static_assert(kMaxClients < kClientNumberCount, "every admitted client can have a number");
    for (uint32_t candidate = 0;; ++candidate) {
        bool taken = false;
        for (const ClientRecord* admitted : accepted_) taken = taken || admitted->clientNumber == candidate;
        if (!taken) return candidate;
    }
}

void ClientTable::sendRefusal(const ClientRecord& record, const char* reason) {
    sendReply(record, kRefusalFormat, reason);
}

void ClientTable::sendAcceptance(const ClientRecord& record, const char* text) {
    sendReply(record, kAcceptanceFormat, text);
}

void ClientTable::sendReply(const ClientRecord& record, const char* format, const char* text) {
    reply_.fill(0);
    std::snprintf(reply_.data(), reply_.size(), format, text);
    IPaddress destination = record.address;
    // A failed send is recorded by the transport and not retried.
    service_.send_udp(&destination, reply_.data(), static_cast<int>(reply_.size()));
    // The echo is not cut to the datagram's size.
    std::printf(format, text);
    std::putchar('\n');
}

}  // namespace ocre::protocol
