#include "file_dialog.h"

#include <QFileDialog>

#include "qt_text.h"

namespace quorvel {

void FileDialog::ShowOpen()
{
    FileName = QFileDialog::getOpenFileName(parent_, Q(DialogTitle), Q(FileName), Q(Filter)).toStdString();
}

void FileDialog::ShowSave()
{
    FileName = QFileDialog::getSaveFileName(parent_, Q(DialogTitle), Q(FileName), Q(Filter)).toStdString();
}

}  // namespace quorvel
