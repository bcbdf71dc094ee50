#pragma once
// The work that follows every capture, loaded image and image address: send it to the OCR
// service and append the recognised lines to the result box.

#include "token/worker_context.h"

namespace vt {

inline constexpr int kImageMode = 1;
inline constexpr int kAddressMode = 2;

// The start routine of a recognition worker thread. Mode 1 sends imageBytes (Base64, then URL
// encoded); any other mode sends the text of the hidden box url unchanged. Appends each line of
// the answer's words_result to 编辑框1 (image mode: with no separator; other modes: each followed
// by CR LF), then leaves the progress bar full and stops its timer. In image mode the invalid-token
// answer starts the token renewal and an empty answer is reported to the user.
void RecognitionJob(const WorkerContext& context, int mode);

}  // namespace vt
