#pragma once
// A list that never moves what it holds: kept in chunks of a fixed size, so that growing it copies
// nothing and touches no more memory than it holds. The recordings of a sheet keep their entities
// in it.

#include <cstdint>
#include <vector>

namespace lwall {

template <typename T>
class ChunkStore {
public:
    std::uint32_t push(const T& v) {
        if (size_ % kChunk == 0) chunks_.emplace_back().reserve(kChunk);
        chunks_.back().push_back(v);
        return size_++;
    }
    const T& operator[](std::uint32_t i) const { return chunks_[i / kChunk][i % kChunk]; }
    std::uint32_t size() const { return size_; }

private:
    static constexpr std::uint32_t kChunk = 1024;
    std::vector<std::vector<T>> chunks_;
    std::uint32_t size_ = 0;
};

}  // namespace lwall
