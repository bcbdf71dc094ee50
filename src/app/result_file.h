#pragma once
// The result files of the save command: named after the local date and time of saving, each
// save appending the result text and CR LF.

#include <QDateTime>
#include <QString>
#include <filesystem>
#include <string_view>

namespace vt {

// The year, "年", the month, "月", the day, "日", then the time down to its last part that is
// not zero: "2024年1月5日9时3分7秒", "2024年1月5日14时30分", "2024年1月5日8时", "2024年1月5日".
// Numbers in decimal without leading zeros; hours 0 to 23.
QString ResultFileStem(const QDateTime& when);

// Appends `utf8Text` and CR LF to `file`, creating it when missing. True only once the text is
// on disk; false when the file cannot be created or written.
bool AppendResultText(const std::filesystem::path& file, std::string_view utf8Text);

}  // namespace vt
