#include "file_dialog.h"

#include <QFileDialog>

namespace quorvel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void FileDialog::ShowOpen()
{
    FileName = QFileDialog::getOpenFileName(parent_, Q(DialogTitle), Q(FileName), Q(Filter)).toStdString();
}

void FileDialog::ShowSave()
{
    FileName = QFileDialog::getSaveFileName(parent_, Q(DialogTitle), Q(FileName), Q(Filter)).toStdString();
}

}  // namespace quorvel
