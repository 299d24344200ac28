// SPDX-License-Identifier: MIT
#pragma once
// Checks of images that come from a server, made before anything is kept or
// decoded into memory: the header's format and size read from the first
// bytes as they arrive (no decoding), and whether the whole file decodes to
// its end without a complaint of the decoder. A tile, piece or cell that
// fails either is not what the source delivers and is refused whole.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace kavalo {

// The largest image a tile server, the agency or the map service delivers;
// anything larger is not one of theirs, however small its file.
inline constexpr int kMaxFetchedImageSide = 1024;

// What the first bytes of a file say.
struct ImageHeader {
  enum class State { NeedMore, Known, Invalid };
  State state = State::NeedMore;
  QByteArray format;  // "png" or "jpeg" once known
  QSize size;         // from the header, nothing decoded
};

// Reads the format and size of a PNG (its IHDR) or a JPEG (its first frame
// header) from the first bytes of a file. NeedMore while the prefix could
// still become either; Invalid for anything else (a page of HTML, a GIF, a
// header with a zero side, a JPEG whose header runs on past 256 KiB). A
// longer prefix of the same file never changes a Known answer.
ImageHeader parseImageHeader(const QByteArray& prefix);

// What one source may send.
struct ImageRule {
  QByteArray format;                                          // "png", "jpeg", or empty for either
  QSize maxSize{kMaxFetchedImageSide, kMaxFetchedImageSide};  // each side at most
};

// Empty when the header is acceptable under the rule, else the reason.
QString headerRefusal(const ImageHeader& header, const ImageRule& rule);

// Empty when bytes are one whole image under the rule: its header within
// the rule, a PNG with every chunk intact (checksums) through its IEND and
// image data that inflates to exactly the rows its header promises, a JPEG
// decoded through its end marker without a single warning of the decoder.
// Otherwise the reason. Memory stays bounded by the rule's size.
QString imageWholeRefusal(const QByteArray& bytes, const ImageRule& rule);

// The image decoded (RGB32) when it passes imageWholeRefusal; null
// otherwise. The size is read from the header before anything is decoded.
QImage decodeFetchedImage(const QByteArray& bytes, const ImageRule& rule);

}  // namespace kavalo
