// SPDX-License-Identifier: MIT
#pragma once
// The vector kernels of the two passes of a stretch. The first pass turns a
// source row into 16-bit channels with 7 fraction bits under each
// destination column; the second makes a destination row from the first-pass
// rows of its taps and combines it with the destination. Each kernel does
// what the tests' scalar reference does, to the bit.
#include <cstdint>

#include "render/RasterOps.h"

#if defined(__SSE2__)
#define KAVALO_STRETCH_SSE2 1
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// Wider kernels for processors that have them, chosen at run time.
#define KAVALO_STRETCH_AVX2 1
#endif
#endif

namespace kavalo::stretch {

#if KAVALO_STRETCH_SSE2
// base: the source row, indexed by the starts; pairs: the weights two by two.
void rowPassSse2(const uint32_t* base, const int* starts, const int32_t* pairs, int taps, int columns, int16_t* out);
// Columns [first, columns) of a destination row.
void columnPassSse2(const int16_t* const* rows, const int32_t* wpairs, int taps, int first, int columns, uint32_t* dst,
                    RasterOp rop);
#endif

#if KAVALO_STRETCH_AVX2
bool haveAvx2();
// Two or four taps; returns the columns done (the rest take the SSE2 kernel).
int rowPassAvx2(const uint32_t* base, const int* starts, const int32_t* wide, int taps, int columns, int16_t* out);
int columnPassAvx2(const int16_t* const* rows, const int32_t* wpairs, int taps, int columns, uint32_t* dst,
                   RasterOp rop);
#endif

}  // namespace kavalo::stretch
