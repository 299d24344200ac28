// SPDX-License-Identifier: MIT
#pragma once
// A deflate writer for the first part of a picture's filtered rows, so that
// a large PNG is compressed on two processors: this part here, the rest by
// the one-shot compressor at once on another thread, the two raw streams
// joined into one. The one-shot compressor always ends its stream; this
// writer never does: its blocks stop on a byte boundary, and another raw
// stream may follow.
//
// It codes bytes and runs of a repeated byte (at distance 1) with Huffman
// codes of their own counts, one block per stretch of input: filtered rows
// of a map are mostly runs of zeros and small differences, and this takes
// one pass to count and one to write.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavalo::png {

// Appends the raw deflate blocks of data to out (none final; the last
// followed by an empty stored block that ends on a byte boundary). False
// when memory runs out.
bool deflateRuns(const unsigned char* data, size_t length, std::vector<unsigned char>& out);

}  // namespace kavalo::png
