#include "command3.h"

#include "expression_file.h"
#include "texts.h"

namespace quorvel {

FileWork Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog)
{
    if (index == 0) {
        dialog.DialogTitle = texts::kOpenTitle;
        dialog.CancelError = false;
        dialog.Filter = texts::kOpenFilter;
        dialog.ShowOpen();
        return WorkDone(OpenExpressionFile(w, dialog.FileName));
    }
    if (index == 1) {
        dialog.DialogTitle = texts::kSaveTitle;
        dialog.CancelError = false;
        dialog.Filter = texts::kSaveFilter;
        dialog.ShowSave();
        const std::string name = dialog.FileName;
        if (name.empty()) return FileWork::Nothing;
        return SaveExpressionFile(w, name) ? FileWork::Saved : FileWork::Failed;
    }
    return FileWork::Nothing;
}

FileWork WorkDone(const FileLoad& load)
{
    switch (load.what) {
    case Load::Loaded: return FileWork::Loaded;
    case Load::CannotOpen:
    case Load::CannotRead: return FileWork::Failed;
    case Load::NotOrdinary:
    case Load::Empty: break;
    }
    return FileWork::Nothing;
}

FileLoad OpenExpressionFile(WindowModel& w, const std::string& fileName)
{
    if (!IsOrdinaryFile(fileName)) return {Load::NotOrdinary};
    return LoadExpressionFile(w, fileName);
}

}  // namespace quorvel
