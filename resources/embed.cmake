# Writes OUTPUT, a C++ file defining PanelImage() and OverlayArrow() over the bytes of the
# files PANEL and ARROW. Run with cmake -P at build time.
function(byte_list var path)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  set(${var} "${bytes}" PARENT_SCOPE)
endfunction()

byte_list(panel ${PANEL})
byte_list(arrow ${ARROW})
file(WRITE ${OUTPUT}.tmp "// Generated from panel.bmp and overlay_arrow.cur by embed.cmake.
#include \"resources/embedded_resources.h\"

namespace vt::resources {
namespace {
constexpr std::uint8_t kPanelImage[] = {
${panel}};
constexpr std::uint8_t kOverlayArrow[] = {
${arrow}};
}  // namespace

std::span<const std::uint8_t> PanelImage() { return kPanelImage; }
std::span<const std::uint8_t> OverlayArrow() { return kOverlayArrow; }

}  // namespace vt::resources
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
