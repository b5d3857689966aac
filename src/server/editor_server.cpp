#include "server/editor_server.hpp"

#include <httplib.h>

#include <cctype>
#include <mutex>
#include <optional>
#include <string_view>
#include <variant>

#include "server/editor_api.hpp"
#include "server/embedded_files.hpp"
#include "server/http_connection.hpp"
#include "server/request_guard.hpp"

namespace lwall {

namespace {

constexpr const char* kTokenHeader = "X-Lwall-Token";
constexpr std::string_view kTokenMark = "@LWALL_TOKEN@";  // where the page holds the token

// Headers on every answer.
const std::vector<std::pair<std::string, std::string>> kDefaultHeaders = {
    {"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}, {"Referrer-Policy", "no-referrer"}};

void send(httplib::Response& res, EditorReply&& reply) {
    res.status = reply.http_status;
    if (!reply.download_name.empty()) {
        res.set_header("Content-Disposition", "attachment; filename=\"" + reply.download_name + "\"");
    }
    res.set_header("Content-Type", reply.content_type);
    res.body = std::move(reply.body);  // a picture of 2 MB is not copied
}

// The page's scripts and its style sheet by their names under web/, with their types; nothing else
// is served from there (the page itself comes with its token from "/").
const char* content_type_of(std::string_view name) {
    return name.ends_with(".css") ? "text/css; charset=utf-8" : "text/javascript; charset=utf-8";
}

// Listening sockets may take a port again right after an earlier server left it, but never a port
// another server still listens on (the library's default would share it on Linux).
void listening_socket_options(socket_t sock) {
    int yes = 1;
#ifdef _WIN32
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof yes);
#else
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
}

Lang lang_of(const httplib::Request& req) {
    return parse_lang(req.get_param_value("lang")).value_or(Lang::ja);
}

Lang lang_of(const RequestHead& head) {
    const std::optional<std::string_view> v = head.query("lang");
    return v ? parse_lang(*v).value_or(Lang::ja) : Lang::ja;
}

// The methods each address takes (HEAD wherever GET is); nothing for an address the editor does not
// serve, which the library answers with 404.
std::optional<std::string_view> allowed_methods(std::string_view path) {
    if (path == "/api/wall") return "GET, HEAD, PUT";
    if (path == "/api/preview" || path.starts_with("/api/file/")) return "POST";
    if (path == "/" || path == "/api/fields" || path == "/api/example") return "GET, HEAD";
    if (path.find('/', 1) == std::string_view::npos) return "GET, HEAD";  // the page's own files
    return std::nullopt;
}

bool method_in(std::string_view method, std::string_view allowed) {
    std::size_t at = 0;
    while (at < allowed.size()) {
        std::size_t end = allowed.find(',', at);
        if (end == std::string_view::npos) end = allowed.size();
        std::string_view m = allowed.substr(at, end - at);
        while (!m.empty() && m.front() == ' ') m.remove_prefix(1);
        if (m == method) return true;
        at = end + 1;
    }
    return false;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Reads a request body through the library, at most kMaxRequestBody bytes also when it comes in
// chunks; false (and the refusal answered) when it is larger or breaks off.
bool read_body(const httplib::ContentReader& reader, const httplib::Request& req, httplib::Response& res,
               std::string& body) {
    bool too_large = false;
    const bool read = reader([&](const char* data, std::size_t n) {
        if (body.size() + n > kMaxRequestBody) {
            too_large = true;
            return false;
        }
        body.append(data, n);
        return true;
    });
    if (read) return true;
    res.set_header("Connection", "close");
    send(res, error_reply(too_large ? 413 : 400, too_large ? msg::body_too_large(kMaxRequestBody) : msg::malformed_request(),
                          lang_of(req)));
    return false;
}

// Reads the two input files of a request body, or answers the refusal and returns nothing.
std::optional<WallTexts> wall_texts(const httplib::Request& req, httplib::Response& res,
                                    const httplib::ContentReader& reader) {
    std::string body;
    if (!read_body(reader, req, res, body)) return std::nullopt;
    std::variant<WallTexts, EditorReply> texts = read_wall_texts(body, lang_of(req));
    if (auto* refusal = std::get_if<EditorReply>(&texts)) {
        send(res, std::move(*refusal));
        return std::nullopt;
    }
    return std::move(std::get<WallTexts>(texts));
}

}  // namespace

struct EditorServer::Impl {
    // The library's server with the editor's own reading of each connection (http_connection.hpp).
    class Http final : public httplib::Server {
    public:
        explicit Http(Impl& owner) : owner_(owner) {}

        // A burst of connections waits in the system's queue, not for the client's second SYN: the
        // library's queue of 5 holds up the sixth connection of a burst by a second. (A header build
        // gets this from CPPHTTPLIB_LISTEN_BACKLOG; the library compiled by Debian does not.)
        void deepen_listen_queue() { ::listen(svr_sock_, 128); }

    private:
        bool process_and_close_socket(socket_t sock) override;
        Impl& owner_;
    };

    EditorSettings settings;
    Http http{*this};
    std::string token = new_token();
    std::string page;                // index.html with the token in it
    std::optional<HostGuard> guard;  // set once the port is known, before the first request
    int port = 0;
    std::atomic<ConnectionThreads*> threads{nullptr};
    std::atomic<bool> stopping{false};
    std::mutex save_lock;  // saves one at a time, each against what the folder holds then
    // Lwall.pdf, where the PDF module beside the program loads: one at a time through one writer.
    PdfWriter pdf;
    bool pdf_ready = false;
    Message pdf_missing;  // why there is none, for the page to say beside the downloads
    std::mutex pdf_lock;

    void routes();
    // The refusal of a request by its head alone, before its body is read: nothing when it may go on.
    std::optional<std::string> refuse(const RequestHead& head) const;
    bool crowded() const {
        const ConnectionThreads* t = threads.load();
        return stopping.load() || (t != nullptr && t->crowded());
    }
};

std::optional<std::string> EditorServer::Impl::refuse(const RequestHead& head) const {
    const Lang lang = lang_of(head);
    const auto answer = [&](int status, const Message& m,
                            std::vector<std::pair<std::string, std::string>> extra = {}) -> std::optional<std::string> {
        extra.insert(extra.end(), kDefaultHeaders.begin(), kDefaultHeaders.end());
        return refusal_answer(status, error_reply(status, m, lang).body, extra);
    };
    // Every request names the served address, before anything else is looked at.
    const std::optional<std::string_view> host = head.header("Host");
    if (head.count("Host") != 1 || !guard || !guard->allows(*host)) return answer(403, msg::foreign_host());
    const bool writes = head.method == "POST" || head.method == "PUT";
    const std::optional<std::string_view> allowed = allowed_methods(head.path);
    const bool known = writes || head.method == "GET" || head.method == "HEAD";
    if (!known || (allowed && !method_in(head.method, *allowed))) {
        return answer(405, msg::method_not_allowed(head.method, allowed.value_or("GET, HEAD, POST, PUT")),
                      {{"Allow", std::string(allowed.value_or("GET, HEAD, POST, PUT"))}});
    }
    if (!writes) return std::nullopt;
    // A page of another site may send a request here (it cannot read the answer); the browser names
    // that site in Origin.
    if (const std::optional<std::string_view> origin = head.header("Origin")) {
        if (lower(*origin) != "http://" + lower(*host)) return answer(403, msg::foreign_origin());
    }
    if (head.path == "/api/wall" && !same_token(head.header(kTokenHeader).value_or(""), token)) {
        return answer(403, msg::token_needed());
    }
    const std::string type = lower(head.header("Content-Type").value_or(""));
    const std::string media = type.substr(0, type.find(';'));
    if (media.find_first_not_of(' ') == std::string::npos ||
        media.substr(media.find_first_not_of(' '), media.find_last_not_of(' ') - media.find_first_not_of(' ') + 1) !=
            "application/json") {
        return answer(415, msg::json_body_needed());
    }
    const std::optional<std::string_view> coding = head.header("Transfer-Encoding");
    const std::optional<std::string_view> length = head.header("Content-Length");
    if (coding) {
        if (lower(*coding) != "chunked" || length || head.count("Transfer-Encoding") != 1) {
            return answer(400, msg::malformed_request());
        }
        return std::nullopt;  // chunks are counted as they are read
    }
    if (!length || head.count("Content-Length") != 1) return answer(411, msg::length_needed());
    if (length->empty() || length->size() > 12 || length->find_first_not_of("0123456789") != std::string_view::npos) {
        return answer(400, msg::malformed_request());
    }
    if (std::stoull(std::string(*length)) > kMaxRequestBody) return answer(413, msg::body_too_large(kMaxRequestBody));
    return std::nullopt;
}

bool EditorServer::Impl::Http::process_and_close_socket(socket_t sock) {
    Connection c(sock);
    bool ok = true;
    for (std::size_t n = 0; n < kKeepAliveRequests && !owner_.stopping.load(); ++n) {
        const auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(kKeepAlive);
        if (c.wait_for_request(idle, [this] { return owner_.crowded(); }) != Connection::Wait::data) break;
        RequestHead head;
        const Connection::Head read = c.read_head(head);
        if (read == Connection::Head::closed) break;
        if (read != Connection::Head::complete) {
            int status = 400;
            Message why = msg::malformed_request();
            if (read == Connection::Head::too_large) {
                status = 431;
                why = msg::head_too_large(kMaxHeaderLines, kMaxHeaderBytes);
            } else if (read == Connection::Head::too_long) {
                status = 414;
                why = msg::address_too_long(kMaxRequestLine);
            } else if (read == Connection::Head::too_slow) {
                status = 408;
                why = msg::request_too_slow();
            }
            c.answer_and_close(refusal_answer(status, error_reply(status, why, Lang::ja).body, kDefaultHeaders));
            break;
        }
        if (const std::optional<std::string> refusal = owner_.refuse(head)) {
            c.answer_and_close(*refusal);
            break;
        }
        // A body in chunks is counted as it is read and may stop half way: the connection ends with
        // its request.
        const bool last = n + 1 == kKeepAliveRequests || head.header("Transfer-Encoding").has_value();
        bool closed = false;
        ok = process_request(c, last, closed, nullptr);
        if (!ok || closed || last || c.broken()) break;
    }
#ifdef _WIN32
    ::shutdown(sock, SD_BOTH);
    ::closesocket(sock);
#else
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
#endif
    return ok;
}

void EditorServer::Impl::routes() {
    http.new_task_queue = [this] {
        auto* t = new ConnectionThreads(kMaxConnectionThreads);
        threads.store(t);
        return t;
    };
    http.set_socket_options(listening_socket_options);
    http.set_tcp_nodelay(true);  // an answer's head and body leave at once, not after the peer's ACK
    http.set_keep_alive_max_count(kKeepAliveRequests);
    http.set_keep_alive_timeout(std::chrono::duration_cast<std::chrono::seconds>(kKeepAlive).count());  // as told in answers
    http.set_payload_max_length(kMaxRequestBody);
    http.set_default_headers({kDefaultHeaders.begin(), kDefaultHeaders.end()});

    // Refusals the library makes itself (no such page, a malformed request) answer in JSON too.
    http.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request& req, httplib::Response& res) {
        if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        const int status = res.status;
        const Message what = status == 413   ? msg::body_too_large(kMaxRequestBody)
                             : status == 404 ? msg::no_such_page()
                                             : msg::malformed_request();
        send(res, error_reply(status, what, lang_of(req)));
        return httplib::Server::HandlerResponse::Handled;
    }));
    http.set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr) {
        send(res, error_reply(500, msg::internal_server_error(), lang_of(req)));
    });

    http.Get("/", [this](const httplib::Request&, httplib::Response& res) {
        res.set_header("Content-Security-Policy",
                       "default-src 'self'; img-src 'self' blob: data:; object-src 'none'; base-uri 'none'; "
                       "frame-ancestors 'none'");
        res.set_content(page, "text/html; charset=utf-8");
    });
    http.Get(R"(/([a-z_]+\.(js|css)))", [](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.matches[1];
        const EmbeddedFile* f = find_embedded_file("web/" + name);
        if (f == nullptr) {
            send(res, error_reply(404, msg::no_such_page(), lang_of(req)));
            return;
        }
        res.set_content(reinterpret_cast<const char*>(f->bytes), f->size, content_type_of(name));
    });
    http.Get("/api/fields", [](const httplib::Request& req, httplib::Response& res) {
        send(res, catalogue_reply(lang_of(req)));
    });
    http.Get("/api/example", [](const httplib::Request&, httplib::Response& res) { send(res, example_reply()); });
    http.Get("/api/wall", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, load_reply(settings.dir, lang_of(req)));
    });
    // The token of a save was checked with the request's head.
    http.Put("/api/wall", [this](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
        if (const auto texts = wall_texts(req, res, reader)) {
            const std::lock_guard<std::mutex> one_at_a_time(save_lock);
            send(res, save_reply(settings.dir, *texts));
        }
    });
    http.Post("/api/preview", [this](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
        if (const auto texts = wall_texts(req, res, reader)) send(res, preview_reply(*texts, pdf_ready, pdf_missing));
    });
    http.Post(R"(/api/file/([A-Za-z0-9.-]+))",
              [this](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
                  const std::string name = req.matches[1];
                  const auto texts = wall_texts(req, res, reader);
                  if (!texts) return;
                  if (name == "Lwall.pdf" && pdf_ready) {
                      const std::lock_guard<std::mutex> one_at_a_time(pdf_lock);
                      send(res, pdf_reply(*texts, pdf));
                  } else {
                      send(res, file_reply(name, *texts));
                  }
              });
}

EditorServer::EditorServer(EditorSettings settings) : impl_(std::make_unique<Impl>()) {
    impl_->settings = std::move(settings);
    Message font_warning;  // the page prints with the font there is
    impl_->pdf_missing = impl_->pdf.open(font_warning);
    impl_->pdf_ready = impl_->pdf_missing.empty();
    const EmbeddedFile* index = find_embedded_file("web/index.html");
    impl_->page = index != nullptr ? std::string(index->text()) : std::string();
    const std::size_t at = impl_->page.find(kTokenMark);
    if (at != std::string::npos) impl_->page.replace(at, kTokenMark.size(), impl_->token);
    impl_->routes();
}

EditorServer::~EditorServer() = default;

bool EditorServer::bind() {
    const EditorSettings& s = impl_->settings;
    if (s.port == 0) {
        impl_->port = impl_->http.bind_to_any_port(s.host);
        if (impl_->port <= 0) return false;
    } else {
        if (!impl_->http.bind_to_port(s.host, s.port)) return false;
        impl_->port = s.port;
    }
    impl_->http.deepen_listen_queue();
    impl_->guard.emplace(s.host, impl_->port);
    return true;
}

int EditorServer::port() const { return impl_->port; }

std::string EditorServer::url() const {
    return "http://" + url_host(impl_->settings.host) + ":" + std::to_string(impl_->port) + "/";
}

const std::string& EditorServer::token() const { return impl_->token; }

bool EditorServer::run() { return impl_->http.listen_after_bind(); }

bool EditorServer::running() const { return impl_->http.is_running(); }

void EditorServer::stop() {
    impl_->stopping.store(true);
    impl_->http.stop();
}

}  // namespace lwall
