#include "service/ocr_input.h"

#include <leptonica/allheaders.h>

namespace vt::ocrd {

int UpscaleFactor(long width, long height) {
    return width * height <= kUpscaleMaxPixels ? 2 : 1;
}

PixPtr PrepareForOcr(Pix* image) {
    PixPtr opaque;
    if (pixGetDepth(image) == 32 && pixGetSpp(image) == 4) {
        opaque.reset(pixAlphaBlendUniform(image, 0xFFFFFF00));
        if (!opaque) return nullptr;
        image = opaque.get();
    }
    PixPtr grey(pixConvertTo8(image, 0));
    if (!grey || UpscaleFactor(pixGetWidth(image), pixGetHeight(image)) == 1) return grey;
    return PixPtr(pixScaleGray2xLI(grey.get()));
}

}  // namespace vt::ocrd
