// Everything of the relay that speaks HTTP and WebSocket: the server side
// for browsers and the client side towards an upstream relay. Beast's
// headers are slow to compile, so they are included here only.

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <cstdio>
#include <unordered_map>
#include <variant>

#include "relay/SpectatorOutbox.h"
#include "relay/UpstreamLink.h"
#include "relay/WebServer.h"

namespace ocre::relay {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

// Requests are small GETs: anything larger is refused by the parser.
constexpr uint32_t kHeaderLimit = 8 * 1024;
constexpr uint64_t kBodyLimit = 1024;
constexpr auto kHttpTimeout = std::chrono::seconds(30);
constexpr auto kHandshakeTimeout = std::chrono::seconds(10);
constexpr char kServerName[] = "ocre-relay";
constexpr char kFullText[] = "relay full\n";
constexpr char kNotFoundText[] = "not found\n";
constexpr char kNotUpgradeText[] = "expected a WebSocket upgrade\n";
constexpr char kMethodText[] = "only GET and HEAD\n";

std::string pathOf(beast::string_view target) {
    const auto query = target.find('?');
    return std::string(target.substr(0, query));
}

}  // namespace

std::string entityTag(const std::string& body) {
    // FNV-1a over the body: files are fixed for the run, so the tag only
    // has to tell one start-up's contents from another's.
    uint64_t hash = 14695981039346656037ull;
    for (const char c : body) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[24];
    std::snprintf(text, sizeof text, "\"%016llx\"", static_cast<unsigned long long>(hash));
    return text;
}

class SpectatorSession;

struct WebServer::Impl : std::enable_shared_from_this<WebServer::Impl> {
    Impl(asio::io_context& io, SpectatorHandler& h, std::map<std::string, StaticFile> f, size_t max)
        : io(io), acceptor(io), handler(h), files(std::move(f)), maxSpectators(max) {}

    void accept();
    void serve(tcp::socket socket);
    void joined(const std::shared_ptr<SpectatorSession>& session);
    void left(SpectatorId id);

    asio::io_context& io;
    tcp::acceptor acceptor;
    SpectatorHandler& handler;
    std::map<std::string, StaticFile> files;
    size_t maxSpectators;
    size_t handshaking = 0;
    SpectatorId nextId = 1;
    uint64_t bytesSent = 0;
    bool stopped = false;
    std::unordered_map<SpectatorId, std::shared_ptr<SpectatorSession>> sessions;
};

class SpectatorSession : public std::enable_shared_from_this<SpectatorSession> {
public:
    SpectatorSession(std::weak_ptr<WebServer::Impl> server, tcp::socket socket, SpectatorId id)
        : server_(std::move(server)), ws_(std::move(socket)), id_(id), outbox_(Clock::now()) {}

    SpectatorId id() const { return id_; }

    void start(http::request<http::string_body> request) {
        websocket::stream_base::timeout timeout;
        timeout.handshake_timeout = kHandshakeTimeout;
        timeout.idle_timeout = kStallLimit;
        timeout.keep_alive_pings = true;
        ws_.set_option(timeout);
        ws_.set_option(websocket::stream_base::decorator(
            [](websocket::response_type& response) { response.set(http::field::server, kServerName); }));
        ws_.read_message_max(kMaxBrowserMessage);
        ws_.async_accept(request, [self = shared_from_this()](beast::error_code error) { self->accepted(error); });
    }

    void offerFrame(const SharedFrame& frame) {
        outbox_.offerFrame(frame);
        pump();
    }
    void offerText(const std::string& text) {
        outbox_.offerText(text);
        pump();
    }
    bool stalled(Clock::time_point now) const { return outbox_.stalled(now); }
    void drop() {
        beast::error_code ignored;
        ws_.next_layer().shutdown(tcp::socket::shutdown_both, ignored);
        ws_.next_layer().close(ignored);
    }

private:
    void accepted(beast::error_code error) {
        auto server = server_.lock();
        if (!server) return;
        --server->handshaking;
        if (error) return;
        open_ = true;
        server->joined(shared_from_this());
        read();
    }

    void read() {
        ws_.async_read(incoming_, [self = shared_from_this()](beast::error_code error, size_t) { self->onRead(error); });
    }

    void onRead(beast::error_code error) {
        auto server = server_.lock();
        if (!server) return;
        if (error) {
            // Beast's idle time-out: not even the keep-alive pings were
            // answered, so the spectator takes nothing.
            if (error == beast::error::timeout) {
                std::printf("dropped a spectator that answered nothing for %lld s\n",
                            static_cast<long long>(kStallLimit.count()));
                std::fflush(stdout);
            }
            finish(*server);
            return;
        }
        const auto data = incoming_.cdata();
        const BrowserMessage message =
            readBrowserMessage(static_cast<const char*>(data.data()), data.size(), !ws_.got_text());
        incoming_.consume(incoming_.size());
        if (message.request == BrowserRequest::Close) {
            ws_.async_close(websocket::close_code::policy_error,
                            [self = shared_from_this()](beast::error_code) { self->drop(); });
            return;
        }
        server->handler.spectatorSaid(id_, message);
        read();
    }

    void pump() {
        if (!open_) return;
        auto item = outbox_.startWrite(Clock::now());
        if (!item) return;
        inFlight_ = std::move(*item);
        asio::const_buffer bytes;
        if (auto* text = std::get_if<std::string>(&inFlight_)) {
            ws_.text(true);
            bytes = asio::buffer(*text);
        } else {
            const SharedFrame& frame = std::get<SharedFrame>(inFlight_);
            ws_.binary(true);
            bytes = asio::buffer(*frame);
        }
        ws_.async_write(bytes, [self = shared_from_this()](beast::error_code error, size_t written) {
            self->onWritten(error, written);
        });
    }

    void onWritten(beast::error_code error, size_t written) {
        inFlight_ = std::string();
        outbox_.written(Clock::now());
        if (auto server = server_.lock()) server->bytesSent += written;
        if (error) {
            open_ = false;
            drop();
            return;
        }
        pump();
    }

    // The read that is always pending is where every end shows: a close,
    // a time-out, a drop.
    void finish(WebServer::Impl& server) {
        if (finished_) return;
        finished_ = true;
        open_ = false;
        server.left(id_);
    }

    std::weak_ptr<WebServer::Impl> server_;
    // The bare socket, not Beast's timed stream: every frame is a write,
    // and the timed stream's bookkeeping per operation costs more than the
    // write itself in user time. The WebSocket layer keeps its own
    // handshake and idle time-outs, and the outbox sees stalled writes.
    websocket::stream<tcp::socket> ws_;
    SpectatorId id_;
    SpectatorOutbox outbox_;
    SpectatorOutbox::Item inFlight_;
    beast::flat_buffer incoming_;
    bool open_ = false;
    bool finished_ = false;
};

class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(std::weak_ptr<WebServer::Impl> server, tcp::socket socket)
        : server_(std::move(server)), stream_(std::move(socket)) {}

    void read() {
        parser_.emplace();
        parser_->header_limit(kHeaderLimit);
        parser_->body_limit(kBodyLimit);
        stream_.expires_after(kHttpTimeout);
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code error, size_t) { self->onRead(error); });
    }

private:
    void onRead(beast::error_code error) {
        auto server = server_.lock();
        if (!server || server->stopped) return;
        // Oversized headers or bodies, malformed requests, time-outs and
        // closes all end the connection: nothing more is read from it.
        if (error) {
            close();
            return;
        }
        http::request<http::string_body> request = parser_->release();
        const std::string path = pathOf(request.target());
        if (path == kLivePath) {
            // Fullness first: a page whose upgrade failed asks with a plain
            // request whether the relay is full.
            if (server->sessions.size() + server->handshaking >= server->maxSpectators) {
                if (websocket::is_upgrade(request)) {
                    std::printf("spectator refused: relay full (%zu spectators)\n", server->sessions.size());
                    std::fflush(stdout);
                }
                return respond(request, http::status::service_unavailable, kFullText);
            }
            if (!websocket::is_upgrade(request)) return respond(request, http::status::bad_request, kNotUpgradeText);
            ++server->handshaking;
            stream_.expires_never();
            auto session = std::make_shared<SpectatorSession>(server_, stream_.release_socket(), server->nextId++);
            session->start(std::move(request));
            return;
        }
        if (request.method() != http::verb::get && request.method() != http::verb::head)
            return respond(request, http::status::method_not_allowed, kMethodText);
        const auto found = path.find("..") == std::string::npos ? server->files.find(path) : server->files.end();
        if (found == server->files.end()) return respond(request, http::status::not_found, kNotFoundText);
        serveFile(request, found->second);
    }

    void serveFile(const http::request<http::string_body>& request, const StaticFile& file) {
        auto response = std::make_shared<http::response<http::string_body>>();
        response->version(request.version());
        response->keep_alive(request.keep_alive());
        response->set(http::field::server, kServerName);
        response->set(http::field::etag, file.etag);
        response->set(http::field::cache_control, file.cacheControl);
        if (request[http::field::if_none_match] == file.etag) {
            response->result(http::status::not_modified);
        } else {
            response->result(http::status::ok);
            response->set(http::field::content_type, file.contentType);
            if (request.method() == http::verb::head) {
                response->content_length(file.body.size());
            } else {
                response->body() = file.body;
                response->prepare_payload();
            }
        }
        write(response);
    }

    void respond(const http::request<http::string_body>& request, http::status status, const char* text) {
        auto response = std::make_shared<http::response<http::string_body>>(status, request.version());
        response->set(http::field::server, kServerName);
        response->set(http::field::content_type, "text/plain");
        response->set(http::field::cache_control, "no-store");
        response->keep_alive(request.keep_alive() && status != http::status::bad_request);
        response->body() = text;
        response->prepare_payload();
        write(response);
    }

    void write(std::shared_ptr<http::response<http::string_body>> response) {
        http::async_write(stream_, *response,
                          [self = shared_from_this(), response](beast::error_code error, size_t) {
                              if (error || !response->keep_alive()) return self->close();
                              self->read();
                          });
    }

    void close() {
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        stream_.close();
    }

    std::weak_ptr<WebServer::Impl> server_;
    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
};

void WebServer::Impl::accept() {
    acceptor.async_accept([self = shared_from_this()](beast::error_code error, tcp::socket socket) {
        if (self->stopped) return;
        if (!error) self->serve(std::move(socket));
        self->accept();
    });
}

void WebServer::Impl::serve(tcp::socket socket) {
    beast::error_code ignored;
    socket.set_option(tcp::no_delay(true), ignored);
    std::make_shared<HttpSession>(weak_from_this(), std::move(socket))->read();
}

void WebServer::Impl::joined(const std::shared_ptr<SpectatorSession>& session) {
    sessions.emplace(session->id(), session);
    handler.spectatorJoined(session->id());
}

void WebServer::Impl::left(SpectatorId id) {
    if (sessions.erase(id)) handler.spectatorLeft(id);
}

WebServer::WebServer(asio::io_context& io, SpectatorHandler& handler, std::map<std::string, StaticFile> files,
                     size_t maxSpectators)
    : impl_(std::make_shared<Impl>(io, handler, std::move(files), maxSpectators)) {}

WebServer::~WebServer() { stop(); }

bool WebServer::listen(const std::string& address, uint16_t port, std::string& error) {
    beast::error_code failure;
    const auto ip = asio::ip::make_address(address, failure);
    if (failure) {
        error = "cannot listen on " + address + ": not an IP address";
        return false;
    }
    const tcp::endpoint endpoint(ip, port);
    auto& acceptor = impl_->acceptor;
    if (acceptor.open(endpoint.protocol(), failure) ||
        acceptor.set_option(asio::socket_base::reuse_address(true), failure) || acceptor.bind(endpoint, failure) ||
        acceptor.listen(asio::socket_base::max_listen_connections, failure)) {
        error = "cannot listen on " + address + " port " + std::to_string(port) + ": " + failure.message();
        return false;
    }
    impl_->accept();
    return true;
}

uint16_t WebServer::port() const {
    beast::error_code ignored;
    return impl_->acceptor.local_endpoint(ignored).port();
}

void WebServer::stop() {
    if (impl_->stopped) return;
    impl_->stopped = true;
    beast::error_code ignored;
    impl_->acceptor.close(ignored);
    auto sessions = std::move(impl_->sessions);
    impl_->sessions.clear();
    for (auto& [id, session] : sessions) session->drop();
}

size_t WebServer::spectators() const { return impl_->sessions.size(); }

void WebServer::sendFrame(SpectatorId spectator, const SharedFrame& frame) {
    const auto found = impl_->sessions.find(spectator);
    if (found != impl_->sessions.end()) found->second->offerFrame(frame);
}

void WebServer::sendText(SpectatorId spectator, const std::string& text) {
    const auto found = impl_->sessions.find(spectator);
    if (found != impl_->sessions.end()) found->second->offerText(text);
}

void WebServer::sendFrameToAll(const SharedFrame& frame, std::optional<SpectatorId> except) {
    for (auto& [id, session] : impl_->sessions)
        if (id != except) session->offerFrame(frame);
}

void WebServer::sendTextToAll(const std::string& text, std::optional<SpectatorId> except) {
    for (auto& [id, session] : impl_->sessions)
        if (id != except) session->offerText(text);
}

size_t WebServer::dropStalled(Clock::time_point now) {
    size_t dropped = 0;
    for (auto& [id, session] : impl_->sessions)
        if (session->stalled(now)) {
            session->drop();
            ++dropped;
        }
    return dropped;
}

uint64_t WebServer::bytesSent() const { return impl_->bytesSent; }

// The upstream side.

struct UpstreamLink::Impl : std::enable_shared_from_this<UpstreamLink::Impl> {
    Impl(asio::io_context& io, UpstreamUrl url, PassSink passes, StateSink state)
        : io(io), resolver(io), retry(io), url(std::move(url)), passes(std::move(passes)), state(std::move(state)) {}

    void connect() {
        if (stopped) return;
        ws.emplace(io);
        resolver.async_resolve(url.host, std::to_string(url.port),
                               [self = shared_from_this()](beast::error_code error, tcp::resolver::results_type found) {
                                   if (error) return self->lost("cannot resolve " + self->url.host + ": " + error.message());
                                   self->onResolved(found);
                               });
    }

    void onResolved(const tcp::resolver::results_type& found) {
        beast::get_lowest_layer(*ws).expires_after(kHandshakeTimeout);
        beast::get_lowest_layer(*ws).async_connect(
            found, [self = shared_from_this()](beast::error_code error, const tcp::endpoint&) {
                if (error) return self->lost("cannot connect: " + error.message());
                self->handshake();
            });
    }

    void handshake() {
        beast::get_lowest_layer(*ws).expires_never();
        websocket::stream_base::timeout timeout = websocket::stream_base::timeout::suggested(beast::role_type::client);
        timeout.idle_timeout = kStallLimit;
        timeout.keep_alive_pings = true;
        ws->set_option(timeout);
        ws->read_message_max(kMaxLiveFrameSize);
        const std::string host = url.host + ":" + std::to_string(url.port);
        ws->async_handshake(host, url.path, [self = shared_from_this()](beast::error_code error) {
            if (error) return self->lost("WebSocket refused: " + error.message());
            self->backoff = std::chrono::seconds(1);
            self->connected = true;
            self->state(true, std::string());
            self->read();
        });
    }

    void read() {
        ws->async_read(incoming, [self = shared_from_this()](beast::error_code error, size_t) {
            if (error) return self->lost("lost: " + error.message());
            self->onMessage();
        });
    }

    void onMessage() {
        // Status texts of the upstream relay are its own spectators'
        // business; only frames travel down.
        if (ws->got_binary()) {
            const auto data = incoming.cdata();
            std::string error;
            if (auto pass = decodeLiveFrame(static_cast<const uint8_t*>(data.data()), data.size(), error)) {
                passes(*pass);
            } else {
                incoming.consume(incoming.size());
                return lost("bad frame: " + error);
            }
        }
        incoming.consume(incoming.size());
        read();
    }

    void lost(const std::string& reason) {
        if (stopped) return;
        if (ws) beast::get_lowest_layer(*ws).close();
        // A loss is told once, and so is the first failure to reach the
        // upstream; the retries after it are not.
        if (connected || !reported) state(false, reason);
        reported = true;
        connected = false;
        retry.expires_after(backoff);
        backoff = std::min(backoff * 2, std::chrono::duration_cast<std::chrono::seconds>(kUpstreamRetryLongest));
        retry.async_wait([self = shared_from_this()](beast::error_code error) {
            if (!error) self->connect();
        });
    }

    asio::io_context& io;
    tcp::resolver resolver;
    asio::steady_timer retry;
    UpstreamUrl url;
    PassSink passes;
    StateSink state;
    std::optional<websocket::stream<beast::tcp_stream>> ws;
    beast::flat_buffer incoming;
    std::chrono::seconds backoff{1};
    bool connected = false;
    bool reported = false;
    bool stopped = false;
};

UpstreamLink::UpstreamLink(asio::io_context& io, UpstreamUrl url, PassSink passes, StateSink state)
    : impl_(std::make_shared<Impl>(io, std::move(url), std::move(passes), std::move(state))) {}

UpstreamLink::~UpstreamLink() { stop(); }

void UpstreamLink::start() { impl_->connect(); }

void UpstreamLink::stop() {
    impl_->stopped = true;
    impl_->retry.cancel();
    impl_->resolver.cancel();
    if (impl_->ws) beast::get_lowest_layer(*impl_->ws).close();
}

}  // namespace ocre::relay
