#include "command3.h"

#include "expression_file.h"
#include "texts.h"

namespace quorvel {

void Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog)
{
    if (index == 0) {
        dialog.DialogTitle = texts::kOpenTitle;
        dialog.CancelError = false;
        dialog.Filter = texts::kOpenFilter;
        dialog.ShowOpen();
        OpenExpressionFile(w, dialog.FileName);
    } else if (index == 1) {
        dialog.DialogTitle = texts::kSaveTitle;
        dialog.CancelError = false;
        dialog.Filter = texts::kSaveFilter;
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
