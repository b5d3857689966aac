#pragma once
// The editor's web server: the page, the API and the guards, on one address and port.

#include <filesystem>
#include <memory>
#include <string>

namespace lwall {

struct EditorSettings {
    std::string host = "127.0.0.1";
    int port = 8750;                  // 0: any free port
    std::filesystem::path dir = ".";  // where the wall is loaded from and saved to
};

class EditorServer {
public:
    explicit EditorServer(EditorSettings settings);
    ~EditorServer();
    EditorServer(const EditorServer&) = delete;
    EditorServer& operator=(const EditorServer&) = delete;

    // Takes the address and port; false when it cannot (the port is in use, or the address is not
    // one of this machine's).
    bool bind();
    int port() const;
    std::string url() const;  // "http://127.0.0.1:8750/"
    const std::string& token() const;

    // Serves until stop(), called from another thread once running() says so (a stop that comes
    // before the server runs does nothing). False when listening failed on its own.
    bool run();
    bool running() const;
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lwall
