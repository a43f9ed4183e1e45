#include "command3.h"

#include "expression_file.h"
#include "texts.h"

namespace quorvel {

bool Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog)
{
    if (index == 0) {
        dialog.DialogTitle = texts::kOpenTitle;
        dialog.CancelError = false;
        dialog.Filter = texts::kOpenFilter;
        dialog.ShowOpen();
        return OpenExpressionFile(w, dialog.FileName).what == Load::Loaded;
    }
    if (index == 1) {
        dialog.DialogTitle = texts::kSaveTitle;
        dialog.CancelError = false;
        dialog.Filter = texts::kSaveFilter;
        dialog.ShowSave();
        const std::string name = dialog.FileName;
        return !name.empty() && SaveExpressionFile(w, name);
    }
    return false;
}

FileLoad OpenExpressionFile(WindowModel& w, const std::string& fileName)
{
    if (!IsOrdinaryFile(fileName)) return {Load::NotOrdinary};
    return LoadExpressionFile(w, fileName);
}

}  // namespace quorvel
