// SPDX-License-Identifier: MIT
// The run coder's blocks, closed by a final empty block, inflate back to
// their input under zlib's strict reading.
#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <vector>

#include "render/DeflateRle.h"

using kavalo::png::deflateRuns;

namespace {

// Inflates raw deflate data; empty with ok false when zlib refuses it or
// anything is left over.
std::vector<unsigned char> inflateRaw(const std::vector<unsigned char>& stream, size_t expected, bool* ok) {
  std::vector<unsigned char> out(expected + 16);
  z_stream z{};
  *ok = inflateInit2(&z, -15) == Z_OK;
  if (!*ok) return {};
  z.next_in = const_cast<unsigned char*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  *ok = inflate(&z, Z_FINISH) == Z_STREAM_END && z.avail_in == 0;
  out.resize(z.total_out);
  inflateEnd(&z);
  return out;
}

}  // namespace

TEST(DeflateRuns, EveryKindOfInputInflatesBackExactly) {
  std::mt19937 rng(7);
  auto bytes = [&](size_t n, auto value) {
    std::vector<unsigned char> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<unsigned char>(value(i));
    return v;
  };
  // Symbol k as often as the k-th Fibonacci number: a Huffman code over
  // these counts is far deeper than the 15 bits deflate allows.
  std::vector<unsigned char> skewed;
  for (uint64_t k = 0, a = 1, b = 1; k < 26; ++k, b = a + b, a = b - a) skewed.insert(skewed.end(), a, static_cast<unsigned char>(k * 9));
  std::shuffle(skewed.begin(), skewed.end(), rng);
  const struct {
    const char* what;
    std::vector<unsigned char> data;
  } cases[] = {
      {"nothing", {}},
      {"one byte", {42}},
      {"two alike", {5, 5}},
      {"a run longer than a match, across blocks", bytes(3'500'000, [](size_t) { return 0; })},
      {"runs of every length", bytes(300'000, [](size_t i) { return (i / (i % 300 + 1)) & 3; })},
      {"noise over two blocks", bytes(2'200'000, [&](size_t) { return rng() & 255; })},
      {"few symbols", bytes(70'000, [](size_t i) { return i % 3 == 0 ? 1 : 200; })},
      {"skewed counts", skewed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<unsigned char> stream = {0xAB};  // what was there before stays
    ASSERT_TRUE(deflateRuns(c.data.data(), c.data.size(), stream));
    ASSERT_EQ(stream.front(), 0xAB);
    stream.erase(stream.begin());
    // The blocks end on a byte boundary, not the stream: a final empty
    // block ends it.
    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(std::vector<unsigned char>(stream.end() - 4, stream.end()), (std::vector<unsigned char>{0, 0, 0xFF, 0xFF}));
    bool ok = false;
    inflateRaw(stream, c.data.size(), &ok);
    EXPECT_FALSE(ok) << "the stream must not end by itself";
    stream.insert(stream.end(), {0x03, 0x00});
    const std::vector<unsigned char> back = inflateRaw(stream, c.data.size(), &ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(back == c.data);
  }
}
