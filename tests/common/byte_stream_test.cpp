#include "common/byte_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace zarn {
namespace {

TEST(ByteStream, KeepsBytesInOrderAcrossChunkBoundaries) {
    ByteStream stream;
    std::string first(ByteStream::kChunkSize - 3, 'a');
    std::string second = "0123456789";
    EXPECT_EQ(stream.Write(first.data(), first.size()), first.size());
    EXPECT_EQ(stream.Write(second.data(), second.size()), second.size());
    ASSERT_EQ(stream.Size(), first.size() + second.size());

    std::string tail(12, '\0');
    EXPECT_EQ(stream.Read(first.size() - 2, tail.data(), tail.size()), 12u);
    EXPECT_EQ(tail, "aa0123456789");
}

TEST(ByteStream, ReadStopsAtTheEnd) {
    ByteStream stream;
    EXPECT_EQ(stream.Write("xyz", 3), 3u);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(1, buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "yz");
    EXPECT_EQ(stream.Read(3, buffer, sizeof buffer), 0u);
    EXPECT_EQ(stream.Write("", 0), 0u);
}

}  // namespace
}  // namespace zarn
