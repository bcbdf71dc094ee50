#pragma once
// Text pictures drawn with Qt and a CJK font, their file encodings, and the accuracy of what
// the service read from them.

#include <QImage>
#include <string>
#include <vector>

#include "text/text.h"

namespace vt::ocrd::test {

// Lines of UTF-8 text drawn in "Noto Sans CJK SC" at `pixelSize`, `ink` on `paper`, one line
// every two font sizes, with a margin.
QImage RenderText(const std::vector<std::string>& lines, int pixelSize, QRgb ink, QRgb paper);

enum class Encoding { Png, Jpeg, CaptureBmp };
// The picture as file bytes; CaptureBmp is the program's own 32-bit BI_BITFIELDS BMP.
Bytes Encode(const QImage& image, Encoding encoding);

// 1 - (edit distance / expected length), over Unicode characters, of the lines joined with
// line breaks.
double CharacterAccuracy(const std::vector<std::string>& expected,
                         const std::vector<std::string>& got);

// The words of a recognition answer's words_result, in order. Fails the current test when the
// answer is not the success shape or its words_result_num does not match.
std::vector<std::string> WordsOf(const std::string& answer);

}  // namespace vt::ocrd::test
