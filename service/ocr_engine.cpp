#include "service/ocr_engine.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <stdexcept>

#include "service/ocr_input.h"
#include "service/text_lines.h"

namespace vt::ocrd {
namespace {

struct PlacedLine {
    int top = 0;
    std::string text;
};

std::vector<std::string> CollectLines(tesseract::TessBaseAPI& api) {
    std::vector<PlacedLine> placed;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (it) {
        do {
            std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
            if (!text) continue;
            std::string line = CleanLine(text.get());
            if (line.empty()) continue;
            int left = 0, top = 0, right = 0, bottom = 0;
            it->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom);
            placed.push_back({top, std::move(line)});
        } while (it->Next(tesseract::RIL_TEXTLINE));
    }
    // The engine reads block by block; the answer goes from the top down across blocks.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const PlacedLine& a, const PlacedLine& b) { return a.top < b.top; });
    std::vector<std::string> lines;
    lines.reserve(placed.size());
    for (auto& line : placed) lines.push_back(std::move(line.text));
    return lines;
}

}  // namespace

OcrEngine::OcrEngine(const std::string& languages)
    : api_(std::make_unique<tesseract::TessBaseAPI>()) {
    if (api_->Init(nullptr, languages.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
        throw std::runtime_error("cannot load the OCR models for \"" + languages + "\"");
    }
    api_->SetPageSegMode(tesseract::PSM_AUTO);
    // The engine's own notes ("Estimating resolution", "Empty page") would flood the log.
    api_->SetVariable("debug_file", "/dev/null");
}

OcrEngine::~OcrEngine() {
    api_->End();
}

std::optional<std::vector<std::string>> OcrEngine::Recognise(Pix* image,
                                                             std::chrono::milliseconds budget) {
    PixPtr prepared = PrepareForOcr(image);
    if (!prepared) return std::nullopt;
    api_->SetImage(prepared.get());
    tesseract::ETEXT_DESC monitor;
    monitor.set_deadline_msecs(static_cast<int32_t>(budget.count()));
    std::optional<std::vector<std::string>> lines;
    if (api_->Recognize(&monitor) == 0 && !monitor.deadline_exceeded()) {
        lines = CollectLines(*api_);
    }
    api_->Clear();
    return lines;
}

}  // namespace vt::ocrd
