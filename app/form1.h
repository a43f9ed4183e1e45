#pragma once
// The one window: its controls show a WindowModel, and each control's event
// goes to the model's handler, after which the window shows the model again.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include <QAccessible>
#include <QTimer>
#include <QWidget>

#include "announcer.h"
#include "command3.h"
#include "common_dialog.h"
#include "recall.h"
#include "speech.h"
#include "window_model.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace quorvel {

class ExpressionBox;
class RowListModel;
class ValueBox;

class Form1 final : public QWidget, private QAccessible::ActivationObserver {
    Q_OBJECT
public:
    // dialog: the file dialog for Command3 (Qt's own when null); beep: how a
    // rejected key sounds (QApplication::beep when empty); historyFile: where
    // earlier expressions are kept (in memory only when empty).
    explicit Form1(CommonDialog* dialog = nullptr, std::function<void()> beep = {}, QString historyFile = {});
    ~Form1() override;

    const WindowModel& Model() const { return model_; }

    // Loads a file as "打开" does, when it is an existing ordinary file.
    void OpenFile(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;  // a new font: the layout follows
    void closeEvent(QCloseEvent* event) override;

private:
    // Each control's event, passed on to the model's handler of that name.
    void Text1Edited();
    void Command1Clicked();
    void Command3Clicked(int index);
    void FileWorkDone(FileWork done);
    void List3RowChosen(int row);
    void Text2Edited();
    void Text2KeyPressed(std::int16_t& keyAscii);
    // Up (older = 1) and Down (-1) in Text1 walk through the history.
    void WalkHistory(int older);
    void CopyResult();

    void Layout();
    void Connect();
    // Pushes the model into the controls; their change signals are ignored
    // meanwhile, since the model has already handled those changes.
    void ShowModel();
    void ShowTitle();
    void ShowMark();
    void ShowValueName();
    // What a reader's own keys find: the window's name (its "title" key) and
    // the descriptions its "where am I" reads.
    void ShowSpokenState();
    // How the passes read the expression is made only when it is shown: in
    // Label1's tooltip, and in its description while an assistive
    // technology listens.
    QString ReadingText();
    // Passes what happened to the speech, and announces what it decides;
    // the window's name and the descriptions follow too.
    void Tell(Happened what, const std::string& copied = {});
    void accessibilityActiveChanged(bool active) override;

    WindowModel model_;
    std::unique_ptr<CommonDialog> ownDialog_;
    CommonDialog* dialog_;
    std::function<void()> beep_;
    bool showing_ = false;
    bool markShown_ = false;  // Text1 carries a mark
    Recall recall_;
    bool assistantListening_ = QAccessible::isActive();  // an assistive technology reads the window
    QTimer typingPause_;  // runs from each typed change while a reader listens
    Speech speech_;
    Announcer announcer_{this};

    std::array<QPushButton*, 2> command3_{};
    ExpressionBox* text1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QListView* list2_ = nullptr;
    QListView* list3_ = nullptr;
    ValueBox* text2_ = nullptr;
    QPushButton* command1_ = nullptr;
    QListView* list1_ = nullptr;
    RowListModel* rows1_ = nullptr;
    RowListModel* rows2_ = nullptr;
    RowListModel* rows3_ = nullptr;
};

}  // namespace quorvel
