#include "form1.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QWindow>

#include "command3.h"
#include "font_layout.h"
#include "mark_colours.h"
#include "cycle.h"
#include "expression_box.h"
#include "file_dialog.h"
#include "filter_key.h"
#include "qt_text.h"
#include "row_list_model.h"
#include "texts.h"
#include "value_box.h"

namespace quorvel {

namespace {

// Shows a row's whole text as a tooltip when the row is too narrow for it.
class WholeTextTip final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString text = index.data().toString();
        // A list lays its rows out as wide as their text; the viewport cuts them.
        const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1);
        const int visible = std::min(option.rect.right() + 1, view->viewport()->width()) - option.rect.left();
        if (option.fontMetrics.horizontalAdvance(text) + margins > visible) {
            QToolTip::showText(event->globalPos(), text, view);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
};

// The local file of a drag, when it carries exactly one.
QString DraggedFile(const QMimeData* mime)
{
    if (!mime || mime->urls().size() != 1 || !mime->urls().front().isLocalFile()) return {};
    return mime->urls().front().toLocalFile();
}

QListView* PlaceList(QWidget* parent, const char* name, const char* spoken, QRect where)
{
    auto* list = Place<RowListView>(parent, name, where);
    list->setAccessibleName(Q(spoken));
    list->setItemDelegate(new WholeTextTip(list));
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

// Compares without a copy: Text1 may hold 32766 characters.
QStringView View(const std::u16string& s) { return {s.data(), static_cast<qsizetype>(s.size())}; }

}  // namespace

Form1::Form1(CommonDialog* dialog, std::function<void()> beep, QString historyFile)
    : dialog_(dialog),
      beep_(beep ? std::move(beep) : std::function<void()>(&QApplication::beep)),
      recall_(std::move(historyFile))
{
    if (!dialog_) {
        ownDialog_ = std::make_unique<FileDialog>(this);
        dialog_ = ownDialog_.get();
    }
    setObjectName(QStringLiteral("Form1"));
    InstallAccessibleKinds();
    // Long enough to pass between two keys of a typing user, short enough
    // to answer a pause.
    typingPause_.setSingleShot(true);
    typingPause_.setInterval(500);
    connect(&typingPause_, &QTimer::timeout, this, [this] { Tell(Happened::Paused); });
    Layout();
    Connect();
    ShowModel();
    ShowSpokenState();
    text1_->setFocus();
    setAcceptDrops(true);
    // Text1 would take a dropped file's name as text: the window loads it.
    text1_->installEventFilter(this);
    text2_->installEventFilter(this);
    label1_->installEventFilter(this);  // its tooltip
    QAccessible::installActivationObserver(this);
}

void Form1::OpenFile(const QString& fileName)
{
    FileWorkDone(WorkDone(OpenExpressionFile(model_, fileName.toStdString())));
}

Form1::~Form1() { QAccessible::removeActivationObserver(this); }

void Form1::Layout()
{
    command3_[0] = Place<QPushButton>(this, "Command3_0", Twips(120, 120, 615, 375));
    command3_[0]->setText(Q(texts::kOpenCaption));
    command3_[1] = Place<QPushButton>(this, "Command3_1", Twips(840, 120, 615, 375));
    command3_[1]->setText(Q(texts::kSaveCaption));
    text1_ = Place<ExpressionBox>(this, "Text1", Twips(1560, 120, 4935, 375));
    text1_->setAccessibleName(Q(texts::kExpressionName));
    // The model, not the box, decides what an over-long expression means.
    text1_->setMaxLength(std::numeric_limits<int>::max());
    // Expressions need no kerning or ligatures; skipping the shaper keeps a
    // change of a long text cheap, since the box lays out all of it each time.
    QFont plain = text1_->font();
    plain.setStyleStrategy(QFont::PreferNoShaping);
    text1_->setFont(plain);
    label2_ = Place<QLabel>(this, "Label2", Twips(120, 600, 855, 255));
    label2_->setText(Q(texts::kResultCaption));
    label1_ = Place<QLabel>(this, "Label1", Twips(960, 600, 4815, 255));
    label1_->setTextFormat(Qt::PlainText);
    // Selectable and copyable with the mouse, but never the focus: the keys
    // stay with the box the user is typing in.
    label1_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label1_->setFocusPolicy(Qt::NoFocus);
    label3_ = Place<QLabel>(this, "Label3", Twips(240, 960, 1215, 255));
    label3_->setText(Q(texts::kValuesCaption));
    list2_ = PlaceList(this, "List2", texts::kNamesName, Twips(120, 1320, 615, 2220));
    list3_ = PlaceList(this, "List3", texts::kValuesName, Twips(840, 1320, 615, 2220));
    text2_ = Place<ValueBox>(this, "Text2", Twips(1560, 1320, 735, 270));
    text2_->setAccessibleName(Q(texts::kValueName));
    command1_ = Place<QPushButton>(this, "Command1", Twips(1560, 1680, 735, 375));
    command1_->setText(Q(texts::kCalculateCaption));
    list1_ = PlaceList(this, "List1", texts::kTokensName, Twips(5880, 720, 615, 2940));

    rows1_ = new RowListModel(this);
    rows2_ = new RowListModel(this);
    rows3_ = new RowListModel(this);
    list1_->setModel(rows1_);
    list2_->setModel(rows2_);
    list3_->setModel(rows3_);
    RowListModel::SayTogether(*rows2_, *rows3_);

    setTabOrder(text1_, list1_);
    setTabOrder(list1_, list2_);
    setTabOrder(list2_, list3_);
    setTabOrder(list3_, text2_);
    setTabOrder(text2_, command1_);
    setTabOrder(command1_, command3_[0]);
    setTabOrder(command3_[0], command3_[1]);
    FitToFont(this);
}

void Form1::Connect()
{
    connect(text1_, &QLineEdit::textChanged, this, [this] { Text1Edited(); });
    text1_->recall = [this](int older) { WalkHistory(older); };
    text1_->clearHistory = [this] { recall_.Clear(); };
    connect(text1_, &QLineEdit::returnPressed, command1_, &QPushButton::click);
    connect(command1_, &QPushButton::clicked, this, [this] { Command1Clicked(); });
    for (int i = 0; i < 2; ++i)
        connect(command3_[i], &QPushButton::clicked, this, [this, i] { Command3Clicked(i); });
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, command3_[0], &QPushButton::click);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, command3_[1], &QPushButton::click);
    // The focus never enters Label1, so the window copies it.
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, [this] { CopyResult(); });
    // A row is chosen by a click or an arrow key, which select it; the focus
    // alone only makes a row current.
    connect(list3_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection& chosen) {
        if (!chosen.isEmpty()) List3RowChosen(chosen.indexes().front().row());
    });
    // Row k of the values stays level with row k of the names.
    QScrollBar* names = list2_->verticalScrollBar();
    QScrollBar* values = list3_->verticalScrollBar();
    connect(names, &QScrollBar::valueChanged, values, &QScrollBar::setValue);
    connect(values, &QScrollBar::valueChanged, names, &QScrollBar::setValue);
    connect(text2_, &QLineEdit::textChanged, this, [this] { Text2Edited(); });
    text2_->keyPress = [this](std::int16_t& keyAscii) { Text2KeyPressed(keyAscii); };
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A box with nothing selected leaves the copy shortcut to the result.
    if ((watched == text1_ || watched == text2_) && type == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        !static_cast<QLineEdit*>(watched)->hasSelectedText()) {
        event->ignore();
        return true;
    }
    if (watched == label1_ && type == QEvent::ToolTip) {
        const QString tip = ReadingText();
        if (tip.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, label1_);
        return true;
    }
    if (watched == text1_ && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (DraggedFile(drop->mimeData()).isEmpty()) return false;
        if (type == QEvent::Drop) dropEvent(drop);
        else drop->acceptProposedAction();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString file = DraggedFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    OpenFile(file);
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ShowTitle();
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::ApplicationFontChange || type == QEvent::LayoutDirectionChange)
        FitToFont(this);
}

void Form1::closeEvent(QCloseEvent* event)
{
    recall_.After(Moment::Closed, model_.text1);
    QWidget::closeEvent(event);
}

// The result's selection, or the whole result when nothing of it is selected.
void Form1::CopyResult()
{
    const QString copied = label1_->hasSelectedText() ? label1_->selectedText() : label1_->text();
    if (copied.isEmpty()) return;
    QGuiApplication::clipboard()->setText(copied);
    recall_.After(Moment::Copied, model_.text1);
    // The copy is a shortcut of the window, which a reader never sees.
    Tell(Happened::Copied, copied.toStdString());
}

void Form1::WalkHistory(int older)
{
    std::optional<std::u16string> text = recall_.Walk(older, model_.text1);
    if (!text) return;
    SetText1(model_, std::move(*text));
    ShowModel();
    text1_->end(false);
    Tell(Happened::Recalled);
}

// The token the title's message is about gets a red wavy underline, as a
// spelling checker marks a word, on a tint that shows even under a lone
// "("; the text, cursor and selection stay.
void Form1::ShowMark()
{
    // Nothing marked before or now, the common case: leave the box alone.
    if (!model_.marked && !markShown_) return;
    markShown_ = model_.marked.has_value();
    QList<QInputMethodEvent::Attribute> formats;
    if (model_.marked) {
        const QPalette& palette = text1_->palette();
        const QColor base = palette.color(QPalette::Base), text = palette.color(QPalette::Text);
        const QColor colour = MarkColour(base, text);
        QTextCharFormat mark;
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(colour);
        mark.setBackground(Tint(colour, base, text));
        // Format ranges of an input method event count from the cursor.
        formats.append({QInputMethodEvent::TextFormat, model_.marked->start - text1_->cursorPosition(),
                        model_.marked->end - model_.marked->start, mark});
    }
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(text1_, &event);
}

// The message with its token, or else the reading.
void Form1::ShowSpokenState()
{
    const QString message = Q(SpokenMessage(model_));
    const QString reading = assistantListening_ && message.isEmpty() ? ReadingText() : QString();
    const QString window = message.isEmpty() ? Q(texts::kWindowTitle) : Q(texts::kWindowTitle) + ' ' + message;
    if (accessibleName() != window) setAccessibleName(window);
    const QString text1 = message.isEmpty() ? reading : message;
    if (text1_->accessibleDescription() != text1) text1_->setAccessibleDescription(text1);
    if (label1_->accessibleDescription() != reading) label1_->setAccessibleDescription(reading);
}

void Form1::Tell(Happened what, const std::string& copied)
{
    if (!assistantListening_) return;
    ShowSpokenState();
    announcer_.Say(Q(speech_.After(what, model_, copied)));
}

// The value box says which variable it edits.
void Form1::ShowValueName()
{
    const int row = model_.list3Index;
    const QString name = row >= 0 && row < model_.list2.Count() ? Q(model_.list2.Read(row)) + Q(texts::kValueOf)
                                                                 : Q(texts::kValueName);
    if (text2_->accessibleName() != name) text2_->setAccessibleName(name);
}

QString Form1::ReadingText()
{
    const std::optional<std::u16string> reading = ReadText1(model_);
    return reading ? Q(texts::kReadingTip) + Q(*reading) : QString();
}

void Form1::accessibilityActiveChanged(bool active)
{
    assistantListening_ = active;
    ShowSpokenState();
}

// An empty title would make the window system show the program's name; a
// blank one shows nothing, as an accepted expression should.
void Form1::ShowTitle()
{
    setWindowTitle(Q(model_.title));
    if (model_.title.empty() && windowHandle()) windowHandle()->setTitle(QStringLiteral(" "));
}

void Form1::Text1Edited()
{
    if (showing_) return;
    recall_.After(Moment::Edited, model_.text1);
    SetText1(model_, text1_->text().toStdU16String());
    ShowModel();
    // A reader hears the outcome once the typing pauses, never each prefix.
    if (assistantListening_) typingPause_.start();
}

void Form1::Command1Clicked()
{
    recall_.After(Moment::Calculated, model_.text1);
    Command1_Click(model_);
    ShowModel();
    Tell(Happened::Calculated);
}

void Form1::Command3Clicked(int index)
{
    FileWorkDone(Command3_Click(static_cast<std::int16_t>(index), model_, *dialog_));
}

void Form1::FileWorkDone(FileWork done)
{
    if (done == FileWork::Loaded) recall_.After(Moment::Loaded, model_.text1);
    if (done == FileWork::Saved) recall_.After(Moment::Saved, model_.text1);
    ShowModel();
    // A load and a failure are heard at once; a save leaves nothing new.
    if (done == FileWork::Loaded) Tell(Happened::Loaded);
    if (done == FileWork::Failed) Tell(Happened::FileFailed);
}

void Form1::List3RowChosen(int row)
{
    if (showing_) return;
    List3_Click(model_, row);
    ShowModel();
}

void Form1::Text2Edited()
{
    if (showing_) return;
    SetText2(model_, text2_->text().toStdString());
    ShowModel();
}

void Form1::Text2KeyPressed(std::int16_t& keyAscii) { Text2_KeyPress(keyAscii, beep_); }

void Form1::ShowModel()
{
    const bool wasShowing = std::exchange(showing_, true);
    ShowTitle();
    if (text1_->text() != View(model_.text1)) text1_->setText(View(model_.text1).toString());
    ShowMark();
    label1_->setText(Q(model_.label1));
    // A label's name hides its text from a screen reader: the name carries both.
    label1_->setAccessibleName(Q(texts::kResultName) + label1_->text());
    // While a reader listens, this waits for the speech.
    if (!assistantListening_) ShowSpokenState();
    if (text2_->text() != Q(model_.text2)) text2_->setText(Q(model_.text2));
    rows1_->Show(model_.list1);
    rows2_->Show(model_.list2);
    rows3_->Show(model_.list3);
    const QModelIndex selected = rows3_->index(model_.list3Index);  // invalid for -1
    if (list3_->currentIndex() != selected) {
        if (selected.isValid()) list3_->setCurrentIndex(selected);
        else list3_->selectionModel()->clear();
    }
    ShowValueName();
    showing_ = wasShowing;
}

}  // namespace quorvel
