#pragma once
// Admits game clients. Once per turn, after the scene pass, serveRequests
// reads the connection requests that have arrived, checks each in a fixed
// order (password, already admitted, room, a free number), answers with a
// 100-byte acceptance or refusal and has a view opened for every newcomer.
// Every reply is echoed, with French log lines, on standard output.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/PointerList.h"
#include "protocol/ClientRecord.h"
#include "protocol/ProtocolTexts.h"

namespace ocre {

class NetworkService;

namespace protocol {

class DatagramInbox;
class ViewFactory;

class ClientTable {
public:
    // The greeting is sent in every acceptance (at most 255 characters are
    // kept; only the first 56 fit in a reply).
    ClientTable(NetworkService& service, DatagramInbox& inbox, std::unique_ptr<ViewFactory> factory,
                const char* greeting);
    ~ClientTable();
    ClientTable(const ClientTable&) = delete;
    ClientTable& operator=(const ClientTable&) = delete;

    // Reads the waiting requests, then answers every pending one in order.
    void serveRequests();

    void sendRefusal(const ClientRecord& record, const char* reason);
    void sendAcceptance(const ClientRecord& record, const char* text);

    // Empties the pending list, then the accepted list, freeing every record
    // (shutdown). The views stay with the factory.
    void releaseRecords();

    int32_t pendingCount() const { return pending_.count(); }
    int32_t acceptedCount() const { return accepted_.count(); }
    const ClientRecord* accepted(int32_t index) const { return accepted_.at(index); }
    const std::string& greeting() const { return greeting_; }

private:
    void readRequests();
    void answer(std::unique_ptr<ClientRecord> record);
    bool alreadyAdmitted(const ClientRecord& record) const;
    // The lowest number no admitted client holds. Fewer than kMaxClients are
    // admitted when it is asked, so one of the first kMaxClients is free.
    uint32_t freeClientNumber() const;
    void sendReply(const ClientRecord& record, const char* format, const char* text);

    NetworkService& service_;
    DatagramInbox& inbox_;
    std::array<char, kDatagramSize> reply_{};
    PointerList<ClientRecord> pending_{kClientListCapacity, kClientListGrowth};
    PointerList<ClientRecord> accepted_{kClientListCapacity, kClientListGrowth};
    std::string greeting_;
    std::unique_ptr<ViewFactory> viewFactory_;
};

}  // namespace protocol
}  // namespace ocre
