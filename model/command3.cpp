#include "command3.h"

#include "expression_file.h"

namespace quorvel {

void Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog)
{
    if (index == 0) {
        dialog.DialogTitle = kOpenTitle;
        dialog.CancelError = false;
        dialog.Filter = kOpenFilter;
        dialog.ShowOpen();
        OpenExpressionFile(w, dialog.FileName);
    } else if (index == 1) {
        dialog.DialogTitle = kSaveTitle;
        dialog.CancelError = false;
        dialog.Filter = kSaveFilter;
        dialog.ShowSave();
        const std::string name = dialog.FileName;
        if (name.empty()) return;
        TransferExpressionFile(kSaveFile, w, name);
    }
}

void OpenExpressionFile(WindowModel& w, const std::string& fileName)
{
    if (IsOrdinaryFile(fileName)) TransferExpressionFile(kLoadFile, w, fileName);
}

}  // namespace quorvel
