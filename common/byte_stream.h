#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace zarn {

// Growable in-memory byte stream, written only at its end. Held in fixed-size chunks so that it
// never copies what it already holds when it grows: a document of hundreds of megabytes is held
// once, not twice.
class ByteStream {
  public:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;

    // Appends the bytes and returns how many were written: fewer than asked only when memory
    // ran out.
    std::size_t Write(const void* data, std::size_t size);

    // Room for writing at the end in place: the free part of the last chunk, or a new chunk
    // when that is full; empty when memory ran out. What is written there counts once Grow
    // says how much it was.
    std::span<std::uint8_t> Room();
    // Takes the first `count` bytes of Room() into the stream.
    void Grow(std::size_t count) { size_ += count; }

    std::uint64_t Size() const { return size_; }

    // Copies up to `size` bytes from `offset` and returns how many were copied.
    std::size_t Read(std::uint64_t offset, void* destination, std::size_t size) const;

  private:
    std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
    std::uint64_t size_ = 0;
};

}  // namespace zarn
