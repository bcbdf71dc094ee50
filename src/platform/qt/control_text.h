#pragma once
// The text of a control as the system's code-page-936 text. Edit boxes are QLineEdit
// (single-line) or QPlainTextEdit (multi-line, where a line break reads as CR LF); labels,
// buttons and check boxes give their caption. GUI thread only.

#include "text/text.h"

class QString;
class QWidget;

namespace vt {

Text ReadControlText(const QWidget* control);
// Replaces the text; raises the control's text-changed signal when the text differs.
void WriteControlText(QWidget* control, const Text& text);
// Adds `text` at the end, without any separator, as one change.
void AppendControlText(QWidget* control, const Text& text);

// Code-page-936 text to and from Qt strings.
QString ToQString(const Text& text);
Text FromQString(const QString& text);

}  // namespace vt
