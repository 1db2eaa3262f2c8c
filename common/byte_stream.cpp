#include "common/byte_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zarn {

std::span<std::uint8_t> ByteStream::Room() {
    const auto chunk = static_cast<std::size_t>(size_ / kChunkSize);
    const auto used = static_cast<std::size_t>(size_ % kChunkSize);
    if (chunk == chunks_.size()) {
        try {
            chunks_.push_back(std::unique_ptr<std::uint8_t[]>(new std::uint8_t[kChunkSize]));
        } catch (const std::bad_alloc&) {
            return {};
        }
    }
    return {chunks_[chunk].get() + used, kChunkSize - used};
}

std::size_t ByteStream::Write(const void* data, std::size_t size) {
    const auto* source = static_cast<const std::uint8_t*>(data);
    std::size_t written = 0;
    while (written < size) {
        const std::span<std::uint8_t> room = Room();
        if (room.empty()) {
            break;
        }
        const std::size_t count = std::min(size - written, room.size());
        std::memcpy(room.data(), source + written, count);
        Grow(count);
        written += count;
    }
    return written;
}

std::size_t ByteStream::Read(std::uint64_t offset, void* destination, std::size_t size) const {
    auto* target = static_cast<std::uint8_t*>(destination);
    std::size_t copied = 0;
    while (copied < size && offset < size_) {
        std::size_t chunk = static_cast<std::size_t>(offset / kChunkSize);
        std::size_t within = static_cast<std::size_t>(offset % kChunkSize);
        std::size_t count = std::min(
            {size - copied, kChunkSize - within, static_cast<std::size_t>(size_ - offset)});
        std::memcpy(target + copied, chunks_[chunk].get() + within, count);
        copied += count;
        offset += count;
    }
    return copied;
}

}  // namespace zarn
