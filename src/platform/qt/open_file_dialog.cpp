#include "platform/qt/open_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/qt/control_text.h"

namespace vt {

QString OpenFileDialog::QtFilter(const Text& filter) {
    const QStringList parts = ToQString(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return entries.join(QStringLiteral(";;"));
}

bool OpenFileDialog::Open(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(QtFilter(filter_));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName_ = dialog.selectedFiles().first();
    return true;
}

}  // namespace vt
