// SPDX-License-Identifier: MIT
#include "render/DeflateRle.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <queue>
#include <utility>

namespace kavalo::png {

namespace {

constexpr int kLitLenSymbols = 286;
constexpr int kEndOfBlock = 256;
constexpr size_t kBlockInput = size_t(1) << 20;  // input bytes coded with one set of codes

// Symbols 257..285: the shortest length of each and its extra bits.
constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// The order the code-length code's lengths are written in.
constexpr std::array<uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct LengthCode {
  uint16_t symbol = 0;
  uint16_t extra = 0;  // the value of the extra bits
  uint8_t extraBits = 0;
};

const std::array<LengthCode, 259>& lengthCodes() {
  static const std::array<LengthCode, 259> table = [] {
    std::array<LengthCode, 259> t{};
    for (int s = 0; s < 29; ++s) {
      const int last = s + 1 < 29 ? kLengthBase[static_cast<size_t>(s) + 1] - 1 : 258;
      for (int len = kLengthBase[static_cast<size_t>(s)]; len <= last && len <= 258; ++len)
        t[static_cast<size_t>(len)] = LengthCode{static_cast<uint16_t>(257 + s),
                                                 static_cast<uint16_t>(len - kLengthBase[static_cast<size_t>(s)]),
                                                 kLengthExtra[static_cast<size_t>(s)]};
    }
    // 258 has a symbol of its own (285), not 284 with 31 extra.
    t[258] = LengthCode{285, 0, 0};
    return t;
  }();
  return table;
}

// Bits go out least significant first, as deflate packs them.
class BitWriter {
 public:
  explicit BitWriter(unsigned char* at) : at_(at) {}
  void put(uint32_t bits, int count) {
    acc_ |= static_cast<uint64_t>(bits) << used_;
    used_ += count;
    if (used_ >= 32) {
      const uint32_t word = static_cast<uint32_t>(acc_);
      if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at_, &word, 4);
      } else {
        for (int i = 0; i < 4; ++i) at_[i] = static_cast<unsigned char>(word >> (8 * i));
      }
      at_ += 4;
      acc_ >>= 32;
      used_ -= 32;
    }
  }
  // Pads with zero bits to the next byte boundary and writes what is held.
  void flushToByte() {
    while (used_ > 0) {
      *at_++ = static_cast<unsigned char>(acc_);
      acc_ >>= 8;
      used_ = std::max(0, used_ - 8);
    }
    acc_ = 0;
  }
  unsigned char* at() const { return at_; }

 private:
  unsigned char* at_;
  uint64_t acc_ = 0;
  int used_ = 0;
};

// Lengths of a Huffman code for the counts, none longer than maxBits (0 for
// an unused symbol; a lone used symbol gets 1): when the code is too deep,
// the counts are halved (a used symbol stays used) and it is built again.
void codeLengths(const uint32_t* counts, int n, int maxBits, uint8_t* lengths) {
  std::vector<uint64_t> weight(counts, counts + n);
  std::fill(lengths, lengths + n, 0);
  int used = 0;
  for (int i = 0; i < n; ++i) used += weight[static_cast<size_t>(i)] > 0;
  if (used == 0) return;
  if (used == 1) {
    for (int i = 0; i < n; ++i)
      if (weight[static_cast<size_t>(i)] > 0) lengths[i] = 1;
    return;
  }
  std::vector<int> parent(static_cast<size_t>(2 * n), -1);
  for (;;) {
    using Node = std::pair<uint64_t, int>;
    std::priority_queue<Node, std::vector<Node>, std::greater<Node>> queue;
    for (int i = 0; i < n; ++i)
      if (weight[static_cast<size_t>(i)] > 0) queue.emplace(weight[static_cast<size_t>(i)], i);
    int next = n;
    while (queue.size() > 1) {
      const Node a = queue.top();
      queue.pop();
      const Node b = queue.top();
      queue.pop();
      parent[static_cast<size_t>(a.second)] = next;
      parent[static_cast<size_t>(b.second)] = next;
      parent[static_cast<size_t>(next)] = -1;
      queue.emplace(a.first + b.first, next++);
    }
    int deepest = 0;
    for (int i = 0; i < n; ++i) {
      if (weight[static_cast<size_t>(i)] == 0) continue;
      int depth = 0;
      for (int node = i; parent[static_cast<size_t>(node)] >= 0; node = parent[static_cast<size_t>(node)]) ++depth;
      lengths[i] = static_cast<uint8_t>(std::min(depth, 255));
      deepest = std::max(deepest, depth);
    }
    if (deepest <= maxBits) return;
    for (uint64_t& w : weight)
      if (w > 0) w = (w + 1) / 2;
  }
}

// The canonical codes of the lengths, bit-reversed for writing.
void canonicalCodes(const uint8_t* lengths, int n, uint16_t* codes) {
  std::array<int, 16> count{};
  for (int i = 0; i < n; ++i) ++count[lengths[i]];
  count[0] = 0;
  std::array<int, 16> next{};
  int code = 0;
  for (int bits = 1; bits < 16; ++bits) {
    code = (code + count[static_cast<size_t>(bits) - 1]) << 1;
    next[static_cast<size_t>(bits)] = code;
  }
  for (int i = 0; i < n; ++i) {
    const int len = lengths[i];
    if (len == 0) {
      codes[i] = 0;
      continue;
    }
    const int c = next[static_cast<size_t>(len)]++;
    int reversed = 0;
    for (int b = 0; b < len; ++b) reversed |= ((c >> b) & 1) << (len - 1 - b);
    codes[i] = static_cast<uint16_t>(reversed);
  }
}

// One dynamic block (not final) of data[begin, end); tokens has room for
// end - begin entries.
void writeBlock(const unsigned char* data, size_t begin, size_t end, std::vector<uint16_t>& tokens, BitWriter& out) {
  // Tokens: a byte, or a run (0x8000 | length) of the byte before.
  const auto& lengths = lengthCodes();
  std::array<uint32_t, kLitLenSymbols> counts{};
  uint16_t* token = tokens.data();
  size_t count = 0;
  size_t i = begin;
  if (i == 0 && i < end) {  // the first byte has none before it
    token[count++] = data[0];
    ++counts[data[0]];
    ++i;
  }
  while (i < end) {
    const unsigned char c = data[i];
    if (c == data[i - 1]) {
      const size_t limit = std::min<size_t>(258, end - i);
      size_t run = 1;
      while (run < limit && data[i + run] == c) ++run;
      if (run >= 3) {
        token[count++] = static_cast<uint16_t>(0x8000u | run);
        ++counts[lengths[run].symbol];
        i += run;
        continue;
      }
    }
    token[count++] = c;
    ++counts[c];
    ++i;
  }
  counts[kEndOfBlock] = 1;

  std::array<uint8_t, kLitLenSymbols> litLen{};
  codeLengths(counts.data(), kLitLenSymbols, 15, litLen.data());
  std::array<uint16_t, kLitLenSymbols> litCode{};
  canonicalCodes(litLen.data(), kLitLenSymbols, litCode.data());
  int hlit = kLitLenSymbols;
  while (hlit > 257 && litLen[static_cast<size_t>(hlit) - 1] == 0) --hlit;
  // One distance code, of one bit: distance 1 (a lone code of one bit is
  // the one incomplete code a decoder accepts).
  constexpr int kDistanceCodes = 1;

  // The code lengths of both codes, run-length coded.
  std::vector<uint8_t> all(litLen.begin(), litLen.begin() + hlit);
  all.push_back(1);
  struct Item {
    uint8_t symbol;
    uint8_t extra;
  };
  std::vector<Item> items;
  std::array<uint32_t, 19> clCounts{};
  for (size_t i = 0; i < all.size();) {
    const uint8_t len = all[i];
    size_t run = 1;
    while (i + run < all.size() && all[i + run] == len) ++run;
    size_t left = run;
    if (len == 0) {
      while (left >= 11) {
        const size_t take = std::min<size_t>(left, 138);
        items.push_back({18, static_cast<uint8_t>(take - 11)});
        left -= take;
      }
      if (left >= 3) {
        items.push_back({17, static_cast<uint8_t>(left - 3)});
        left = 0;
      }
      for (; left > 0; --left) items.push_back({0, 0});
    } else {
      items.push_back({len, 0});
      --left;
      while (left >= 3) {
        const size_t take = std::min<size_t>(left, 6);
        items.push_back({16, static_cast<uint8_t>(take - 3)});
        left -= take;
      }
      for (; left > 0; --left) items.push_back({len, 0});
    }
    i += run;
  }
  for (const Item& item : items) ++clCounts[item.symbol];
  // The code-length code must be complete: a lone symbol gets a partner.
  if (std::count_if(clCounts.begin(), clCounts.end(), [](uint32_t c) { return c > 0; }) == 1)
    ++clCounts[clCounts[0] > 0 ? 18 : 0];
  std::array<uint8_t, 19> clLen{};
  codeLengths(clCounts.data(), 19, 7, clLen.data());
  std::array<uint16_t, 19> clCode{};
  canonicalCodes(clLen.data(), 19, clCode.data());
  int hclen = 19;
  while (hclen > 4 && clLen[kCodeLengthOrder[static_cast<size_t>(hclen) - 1]] == 0) --hclen;

  out.put(0, 1);  // not the last block
  out.put(2, 2);  // dynamic codes
  out.put(static_cast<uint32_t>(hlit - 257), 5);
  out.put(kDistanceCodes - 1, 5);
  out.put(static_cast<uint32_t>(hclen - 4), 4);
  for (int i = 0; i < hclen; ++i) out.put(clLen[kCodeLengthOrder[static_cast<size_t>(i)]], 3);
  for (const Item& item : items) {
    out.put(clCode[item.symbol], clLen[item.symbol]);
    if (item.symbol == 16) out.put(item.extra, 2);
    if (item.symbol == 17) out.put(item.extra, 3);
    if (item.symbol == 18) out.put(item.extra, 7);
  }

  for (size_t t = 0; t < count; ++t) {
    const uint16_t tok = token[t];
    if (tok < 0x8000u) {
      out.put(litCode[tok], litLen[tok]);
    } else {
      const LengthCode& l = lengths[tok & 0x7FFFu];
      out.put(litCode[l.symbol], litLen[l.symbol]);
      if (l.extraBits > 0) out.put(l.extra, l.extraBits);
      out.put(0, 1);  // distance 1
    }
  }
  out.put(litCode[kEndOfBlock], litLen[kEndOfBlock]);
}

}  // namespace

bool deflateRuns(const unsigned char* data, size_t length, std::vector<unsigned char>& out) {
  try {
    const size_t start = out.size();
    // At most 15 bits a byte, and each block's header.
    const size_t blocks = length / kBlockInput + 1;
    out.resize(start + length * 2 + blocks * 1024 + 16);
    BitWriter bits(out.data() + start);
    std::vector<uint16_t> tokens(std::min(length, kBlockInput));
    for (size_t begin = 0; begin < length; begin += kBlockInput)
      writeBlock(data, begin, std::min(length, begin + kBlockInput), tokens, bits);
    // An empty stored block ends the stream so far on a byte boundary.
    bits.put(0, 3);
    bits.flushToByte();
    unsigned char* at = bits.at();
    const unsigned char sync[4] = {0x00, 0x00, 0xFF, 0xFF};
    std::copy(sync, sync + 4, at);
    out.resize(static_cast<size_t>(at + 4 - out.data()));
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace kavalo::png
