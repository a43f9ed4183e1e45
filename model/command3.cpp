#include "command3.h"

#include "expression_file.h"
#include "texts.h"

namespace quorvel {

namespace {

FileWork OpenSteps(WindowModel& w, CommonDialog& dialog)
{
    dialog.DialogTitle = texts::kOpenTitle;
    dialog.Filter = texts::kOpenFilter;
    dialog.ShowOpen();
    return WorkDone(OpenExpressionFile(w, dialog.FileName));
}

FileWork SaveSteps(WindowModel& w, CommonDialog& dialog)
{
    dialog.DialogTitle = texts::kSaveTitle;
    dialog.Filter = texts::kSaveFilter;
    dialog.ShowSave();
    if (dialog.FileName.empty()) return FileWork::Nothing;
    return WorkDone(SaveExpressionFile(w, dialog.FileName));
}

}  // namespace

FileWork Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog)
{
    if (index == kLoadFile) return OpenSteps(w, dialog);
    if (index == kSaveFile) return SaveSteps(w, dialog);
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

FileWork WorkDone(Save save)
{
    switch (save) {
    case Save::Saved: return FileWork::Saved;
    case Save::CannotSave: break;
    }
    return FileWork::Failed;
}

FileLoad OpenExpressionFile(WindowModel& w, const std::string& fileName)
{
    if (!IsOrdinaryFile(fileName)) return {Load::NotOrdinary};
    return LoadExpressionFile(w, fileName);
}

}  // namespace quorvel
