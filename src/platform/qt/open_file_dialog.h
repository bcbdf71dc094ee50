#pragma once
// The open-file dialog control: a filter, showing it, and the file the user confirmed.

#include <QObject>
#include <QString>

#include "text/text.h"

namespace vt {

class OpenFileDialog : public QObject {
    Q_OBJECT
  public:
    explicit OpenFileDialog(QObject* parent = nullptr) : QObject(parent) {}

    // Filter entries as "description|patterns", entries also joined by "|", patterns by ";",
    // e.g. "Images|*.png;*.jpg|All|*.*".
    void SetFilter(const Text& filter) { filter_ = filter; }
    // Shows the dialog modally; true when the user confirmed a file.
    bool Open(QWidget* parent = nullptr);
    // The chosen file, as a local path.
    const QString& FileName() const { return fileName_; }

    // The filter in Qt's form: entries "description (pattern pattern)" joined by ";;".
    static QString QtFilter(const Text& filter);

  private:
    Text filter_;
    QString fileName_;
};

}  // namespace vt
