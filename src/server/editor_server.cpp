#include "server/editor_server.hpp"

#include <httplib.h>

#include <optional>
#include <string_view>
#include <variant>

#include "server/editor_api.hpp"
#include "server/embedded_files.hpp"
#include "server/request_guard.hpp"

namespace lwall {

namespace {

constexpr const char* kTokenHeader = "X-Lwall-Token";
constexpr std::string_view kTokenMark = "@LWALL_TOKEN@";  // where the page holds the token

// Connections are served by a fixed number of threads; each request runs its own sheet. A browser
// keeps up to six connections open between requests, each holding its thread until it has been
// idle for the keep-alive time, so there are threads for two pages and their previews.
constexpr std::size_t kThreads = 16;
constexpr int kTimeoutSeconds = 5;
constexpr int kKeepAliveSeconds = 2;
constexpr std::size_t kKeepAliveRequests = 100;

void send(httplib::Response& res, EditorReply&& reply) {
    res.status = reply.http_status;
    if (!reply.download_name.empty()) {
        res.set_header("Content-Disposition", "attachment; filename=\"" + reply.download_name + "\"");
    }
    res.set_header("Content-Type", reply.content_type);
    res.body = std::move(reply.body);  // a picture of 2 MB is not copied
}

// The page's files by their names under web/, with their types; nothing else is served.
const char* content_type_of(std::string_view name) {
    if (name.ends_with(".html")) return "text/html; charset=utf-8";
    if (name.ends_with(".css")) return "text/css; charset=utf-8";
    if (name.ends_with(".js")) return "text/javascript; charset=utf-8";
    if (name.ends_with(".png")) return "image/png";
    return "application/octet-stream";
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

// Reads the two input files of a request body, or answers the refusal and returns nothing.
std::optional<WallTexts> wall_texts(const httplib::Request& req, httplib::Response& res) {
    std::variant<WallTexts, EditorReply> texts = read_wall_texts(req.body);
    if (auto* refusal = std::get_if<EditorReply>(&texts)) {
        send(res, std::move(*refusal));
        return std::nullopt;
    }
    return std::move(std::get<WallTexts>(texts));
}

}  // namespace

struct EditorServer::Impl {
    EditorSettings settings;
    httplib::Server http;
    std::string token = new_token();
    std::string page;                // index.html with the token in it
    std::optional<HostGuard> guard;  // set once the port is known, before the first request
    int port = 0;

    void routes();
};

void EditorServer::Impl::routes() {
    http.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    http.set_socket_options(listening_socket_options);
    http.set_tcp_nodelay(true);  // an answer's head and body leave at once, not after the peer's ACK
    http.set_read_timeout(kTimeoutSeconds, 0);
    http.set_write_timeout(kTimeoutSeconds, 0);
    http.set_keep_alive_timeout(kKeepAliveSeconds);
    http.set_keep_alive_max_count(kKeepAliveRequests);
    http.set_payload_max_length(kMaxRequestBody);
    http.set_default_headers({{"Cache-Control", "no-store"},
                              {"X-Content-Type-Options", "nosniff"},
                              {"Referrer-Policy", "no-referrer"}});

    // Every request names the served address, before anything else is looked at.
    http.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (guard && guard->allows(req.get_header_value("Host"))) return httplib::Server::HandlerResponse::Unhandled;
        send(res, error_reply(403, "the Host of the request is not the address this editor serves"));
        return httplib::Server::HandlerResponse::Handled;
    });
    // Refusals the library makes itself (no such page, a body over the limit) answer in JSON too.
    http.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        const std::string_view what = res.status == 413   ? "the request body is larger than 256 KiB"
                                      : res.status == 404 ? "no such page"
                                      : res.status == 400 ? "malformed request"
                                                          : "the request was refused";
        const int status = res.status;
        send(res, error_reply(status, what));
        return httplib::Server::HandlerResponse::Handled;
    }));
    http.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        send(res, error_reply(500, "internal error"));
    });

    http.Get("/", [this](const httplib::Request&, httplib::Response& res) {
        res.set_header("Content-Security-Policy",
                       "default-src 'self'; img-src 'self' blob: data:; object-src 'none'; base-uri 'none'; "
                       "frame-ancestors 'none'");
        res.set_content(page, "text/html; charset=utf-8");
    });
    http.Get(R"(/([a-z_]+\.(js|css|png)))", [](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.matches[1];
        const EmbeddedFile* f = find_embedded_file("web/" + name);
        if (f == nullptr) {
            send(res, error_reply(404, "no such page"));
            return;
        }
        res.set_content(reinterpret_cast<const char*>(f->bytes), f->size, content_type_of(name));
    });
    http.Get("/api/fields", [](const httplib::Request&, httplib::Response& res) { send(res, catalogue_reply()); });
    http.Get("/api/example", [](const httplib::Request&, httplib::Response& res) { send(res, example_reply()); });
    http.Get("/api/wall", [this](const httplib::Request&, httplib::Response& res) { send(res, load_reply(settings.dir)); });
    http.Put("/api/wall", [this](const httplib::Request& req, httplib::Response& res) {
        if (!same_token(req.get_header_value(kTokenHeader), token)) {
            send(res, error_reply(403, "saving needs the token of the editor's page"));
            return;
        }
        if (const auto texts = wall_texts(req, res)) send(res, save_reply(settings.dir, *texts));
    });
    http.Post("/api/preview", [](const httplib::Request& req, httplib::Response& res) {
        if (const auto texts = wall_texts(req, res)) send(res, preview_reply(*texts));
    });
    http.Post(R"(/api/file/([A-Za-z.]+))", [](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.matches[1];
        if (const auto texts = wall_texts(req, res)) send(res, file_reply(name, *texts));
    });
}

EditorServer::EditorServer(EditorSettings settings) : impl_(std::make_unique<Impl>()) {
    impl_->settings = std::move(settings);
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

void EditorServer::stop() { impl_->http.stop(); }

}  // namespace lwall
