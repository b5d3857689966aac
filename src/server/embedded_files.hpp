#pragma once
// The files built into the program when it is compiled: the editor's page under "web/" (HTML, CSS
// and scripts, served as they are) and the level example's wall and layer files under "example/"
// (the wall a new editor starts from and the layer set used when a request brings none).

#include <cstddef>
#include <span>
#include <string_view>

namespace lwall {

struct EmbeddedFile {
    const char* name;  // "web/editor.js", "example/GasouL.dat"
    const unsigned char* bytes;
    std::size_t size;

    std::string_view text() const { return {reinterpret_cast<const char*>(bytes), size}; }
};

// Every embedded file (made by cmake/embed_files.cmake).
std::span<const EmbeddedFile> embedded_files();

// The bytes of the file called `name`; nullptr when there is none.
inline const EmbeddedFile* find_embedded_file(std::string_view name) {
    for (const EmbeddedFile& f : embedded_files()) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

}  // namespace lwall
