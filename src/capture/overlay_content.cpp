#include "capture/overlay_content.h"

#include <cstdlib>

namespace vt {

namespace {

std::string Pair(long long first, long long second, bool closed) {
    std::string text = "(";
    text.append(std::to_string(first)).append(",").append(std::to_string(second));
    if (closed) text.append(")");
    return text;
}

// The last three characters of two spaces followed by the digits.
std::string RightAligned3(int value) {
    std::string padded = "  ";
    padded.append(std::to_string(value));
    return padded.substr(padded.size() - 3);
}

}  // namespace

InfoBox InfoBoxFor(const Rect& selection, Point pointer, int screenWidth) {
    // Right of the pointer and above it; left of it near the right edge, below it near the top.
    const int bx = pointer.x > screenWidth - 70 ? pointer.x - 64 : pointer.x + 8;
    const int by = pointer.y >= 84 ? pointer.y - 80 : pointer.y + 8;
    const Rect s = Normalised(selection);
    const long long width = std::llabs(1LL * s.right - s.left + 1);
    const long long height = std::llabs(1LL * s.bottom - s.top + 1);
    // Four-digit numbers leave out the closing parenthesis.
    return {{bx, by},
            {"顶点位置", Pair(s.left, s.top, true), "矩形大小", Pair(width, height, width < 1000),
             "光标坐标", Pair(pointer.x, pointer.y, pointer.x < 1000)},
            {bx - 3, by - 3, bx + 55, by + 75}};
}

OverlayPicture OverlayPictureFor(const CaptureState& state, Point pointer, int screenWidth,
                                 bool pointerOverPanel) {
    OverlayPicture picture;
    picture.frame = Normalised(state.selection);
    picture.handles = state.handles;
    picture.frameColour = state.frameColour;
    if (state.dragging && !pointerOverPanel) {
        picture.infoBox = InfoBoxFor(state.selection, pointer, screenWidth);
    }
    picture.infoTextColour = state.infoTextColour;
    picture.infoFrameColour = state.infoFrameColour;
    return picture;
}

std::string ColourLine(Colour pixel) {
    std::string line = "·当前像素RGB(";
    line.append(RightAligned3(RedOf(pixel))).append(",").append(RightAligned3(GreenOf(pixel)));
    line.append(",").append(RightAligned3(BlueOf(pixel))).append(")");
    return line;
}

std::vector<PanelText> PanelTexts(const CaptureState& state, Colour pixel, int panelWidth) {
    const int right = panelWidth - 5;
    std::vector<PanelText> texts{{ColourLine(pixel), {5, 30, right, 42}}};
    switch (PhaseOf(state)) {
        case SelectionPhase::kFixed:
        case SelectionPhase::kAdjusting:
            texts.push_back({"·用鼠标左键调整截取范围的大小和位置", {5, 52, right, 76}});
            texts.push_back({"·截取范围内双击鼠标左键保存图像，结束操作", {5, 86, right, 110}});
            texts.push_back({"·点击鼠标右键重新选择", {5, 120, right, 132}});
            break;
        case SelectionPhase::kDrawing:
            texts.push_back({"·松开鼠标左键确定截取范围", {5, 52, right, 64}});
            texts.push_back({"·按'ESC'键退出", {5, 74, right, 86}});
            break;
        case SelectionPhase::kIdle:
            texts.push_back({"·按下鼠标左键不放选择截取范围", {5, 52, right, 76}});
            texts.push_back({"·按'ESC'键或鼠标右键退出", {5, 86, right, 98}});
            break;
    }
    return texts;
}

}  // namespace vt
