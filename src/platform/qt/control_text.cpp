#include "platform/qt/control_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "text/codepage.h"

namespace vt {
namespace {

// A multi-line edit box keeps LF; the system's text uses CR LF between lines.
QString ToEditorLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
}

}  // namespace

QString ToQString(const Text& text) {
    return QString::fromStdString(Cp936ToUtf8(text));
}

Text FromQString(const QString& text) {
    return Utf8ToCp936(text.toStdString());
}

Text ReadControlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return FromQString(edit->text());
    if (auto* box = qobject_cast<const QPlainTextEdit*>(control)) {
        return FromQString(box->toPlainText().replace('\n', QStringLiteral("\r\n")));
    }
    if (auto* label = qobject_cast<const QLabel*>(control)) return FromQString(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return FromQString(button->text());
    }
    return {};
}

void WriteControlText(QWidget* control, const Text& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(ToQString(text));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        box->setPlainText(ToEditorLines(ToQString(text)));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(ToQString(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(ToQString(text));
    }
}

void AppendControlText(QWidget* control, const Text& text) {
    if (text.empty()) return;
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        // Like appending to an edit box: the caret goes to the end and stays in view.
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(ToEditorLines(ToQString(text)));
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(edit->text() + ToQString(text));
}

}  // namespace vt
