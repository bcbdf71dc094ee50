#pragma once
// One Tesseract engine with its models loaded, reused for many recognitions (one at a time).

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct Pix;
namespace tesseract {
class TessBaseAPI;
}

namespace vt::ocrd {

class OcrEngine {
  public:
    // Loads the models of `languages` ("chi_sim+eng"); throws std::runtime_error when they
    // cannot be loaded.
    explicit OcrEngine(const std::string& languages);
    ~OcrEngine();
    OcrEngine(const OcrEngine&) = delete;
    OcrEngine& operator=(const OcrEngine&) = delete;

    // The text lines of `image` (UTF-8, cleaned, empty ones dropped), from the top down.
    // Nothing when recognition fails or takes longer than `budget`.
    std::optional<std::vector<std::string>> Recognise(Pix* image, std::chrono::milliseconds budget);

  private:
    std::unique_ptr<tesseract::TessBaseAPI> api_;
};

}  // namespace vt::ocrd
