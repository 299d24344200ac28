// SPDX-License-Identifier: MIT
// The value reader under any bytes: every read either yields a value or
// reports the end, the line count never goes back, and a reader that only
// reads texts reaches the end within one value per character.
#include "FuzzSupport.h"
#include "platform/ValueReader.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(value_reader) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  ValueReader reader{QString()};
  if (!ValueReader::fromFile(fuzz::writeScratch(QStringLiteral("values.txt"), bytes), reader, nullptr)) return 0;
  ValueReader textsOnly = reader;

  int line = reader.lineNumber();
  for (size_t i = 0; i <= size + 1 && !reader.atEnd(); ++i) {
    QString text;
    int32_t i32 = 0;
    int16_t i16 = 0;
    float single = 0;
    double number = 0;
    bool read = true;
    // The kind of each read is taken from the input itself.
    switch (data[i % size] % 6) {
      case 0:
        FUZZ_CHECK(reader.readText(text));
        break;
      case 1:
        read = reader.readInt(i32);
        break;
      case 2:
        read = reader.readInt16(i16);
        break;
      case 3:
        FUZZ_CHECK(reader.readSingle(single));
        break;
      case 4:
        FUZZ_CHECK(reader.readDouble(number));
        break;
      default:
        FUZZ_CHECK(reader.skipLine());
        break;
    }
    (void)read;  // a number that does not fit is refused; that is not the end
    FUZZ_CHECK(reader.lineNumber() >= line);
    line = reader.lineNumber();
  }

  size_t reads = 0;
  QString text;
  while (textsOnly.readText(text)) {
    ++reads;
    FUZZ_CHECK(reads <= size + 1);
  }
  FUZZ_CHECK(textsOnly.atEnd());
  return 0;
}
