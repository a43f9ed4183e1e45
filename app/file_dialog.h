#pragma once
// CommonDialog1 on Qt's file dialogs.
#include "common_dialog.h"

class QWidget;

namespace quorvel {

class FileDialog final : public CommonDialog {
public:
    explicit FileDialog(QWidget* parent) : parent_(parent) {}

    // Each starts at the name chosen last; Qt asks before a file is replaced.
    void ShowOpen() override;
    void ShowSave() override;

private:
    QWidget* parent_;
};

}  // namespace quorvel
