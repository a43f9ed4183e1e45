#include "form1.h"

#include <limits>
#include <utility>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "command3.h"
#include "cycle.h"
#include "file_dialog.h"
#include "filter_key.h"
#include "row_list_model.h"
#include "value_box.h"

namespace quorvel {

namespace {

// The layout is kept in twips; 15 twips make one logical pixel.
QRect Twips(int left, int top, int width, int height) { return {left / 15, top / 15, width / 15, height / 15}; }

template <class W>
W* Place(QWidget* parent, const char* name, QRect where)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(where);
    return w;
}

QListView* PlaceList(QWidget* parent, const char* name, QRect where)
{
    auto* list = Place<QListView>(parent, name, where);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

QStringView View(const std::u16string& s) { return {s.data(), static_cast<qsizetype>(s.size())}; }

}  // namespace

Form1::Form1(CommonDialog* dialog, std::function<void()> beep)
    : dialog_(dialog), beep_(beep ? std::move(beep) : std::function<void()>(&QApplication::beep))
{
    if (!dialog_) {
        ownDialog_ = std::make_unique<FileDialog>(this);
        dialog_ = ownDialog_.get();
    }
    Layout();
    Connect();
    ShowModel();
    text1_->setFocus();
}

Form1::~Form1() = default;

void Form1::Layout()
{
    setFixedSize(Twips(0, 0, 6600, 3720).size());

    command3_[0] = Place<QPushButton>(this, "Command3_0", Twips(120, 120, 615, 375));
    command3_[0]->setText(QStringLiteral("打开"));
    command3_[1] = Place<QPushButton>(this, "Command3_1", Twips(840, 120, 615, 375));
    command3_[1]->setText(QStringLiteral("保存"));
    text1_ = Place<QLineEdit>(this, "Text1", Twips(1560, 120, 4935, 375));
    // The model, not the box, decides what an over-long expression means.
    text1_->setMaxLength(std::numeric_limits<int>::max());
    // Expressions need no kerning or ligatures; skipping the shaper keeps a
    // change of a long text cheap, since the box lays out all of it each time.
    QFont plain = text1_->font();
    plain.setStyleStrategy(QFont::PreferNoShaping);
    text1_->setFont(plain);
    label2_ = Place<QLabel>(this, "Label2", Twips(120, 600, 855, 255));
    label2_->setText(QStringLiteral("计算结果="));
    label1_ = Place<QLabel>(this, "Label1", Twips(960, 600, 4815, 255));
    label1_->setTextFormat(Qt::PlainText);
    label1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label3_ = Place<QLabel>(this, "Label3", Twips(240, 960, 1215, 255));
    label3_->setText(QStringLiteral("变量： 赋值"));
    list2_ = PlaceList(this, "List2", Twips(120, 1320, 615, 2220));
    list3_ = PlaceList(this, "List3", Twips(840, 1320, 615, 2220));
    text2_ = Place<ValueBox>(this, "Text2", Twips(1560, 1320, 735, 270));
    command1_ = Place<QPushButton>(this, "Command1", Twips(1560, 1680, 735, 375));
    command1_->setText(QStringLiteral("计算"));
    list1_ = PlaceList(this, "List1", Twips(5880, 720, 615, 2940));

    rows1_ = new RowListModel(this);
    rows2_ = new RowListModel(this);
    rows3_ = new RowListModel(this);
    list1_->setModel(rows1_);
    list2_->setModel(rows2_);
    list3_->setModel(rows3_);

    setTabOrder(text1_, list1_);
    setTabOrder(list1_, list2_);
    setTabOrder(list2_, list3_);
    setTabOrder(list3_, text2_);
    setTabOrder(text2_, command1_);
    setTabOrder(command1_, command3_[0]);
    setTabOrder(command3_[0], command3_[1]);
}

void Form1::Connect()
{
    connect(text1_, &QLineEdit::textChanged, this, [this] { Text1Edited(); });
    connect(command1_, &QPushButton::clicked, this, [this] { Command1Clicked(); });
    for (int i = 0; i < 2; ++i)
        connect(command3_[i], &QPushButton::clicked, this, [this, i] { Command3Clicked(i); });
    connect(list3_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid()) List3RowChosen();
    });
    connect(text2_, &QLineEdit::textChanged, this, [this] { Text2Edited(); });
    text2_->keyPress = [this](std::int16_t& keyAscii) { Text2KeyPressed(keyAscii); };
}

void Form1::Text1Edited()
{
    if (showing_) return;
    SetText1(model_, text1_->text().toStdU16String());
    ShowModel();
}

void Form1::Command1Clicked()
{
    Command1_Click(model_);
    ShowModel();
}

void Form1::Command3Clicked(int index)
{
    Command3_Click(static_cast<std::int16_t>(index), model_, *dialog_);
    ShowModel();
}

void Form1::List3RowChosen()
{
    if (showing_) return;
    List3_Click(model_, list3_->currentIndex().row());
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
    setWindowTitle(Q(model_.title));
    if (text1_->text() != View(model_.text1)) text1_->setText(View(model_.text1).toString());
    label1_->setText(Q(model_.label1));
    if (text2_->text() != Q(model_.text2)) text2_->setText(Q(model_.text2));
    rows1_->Show(model_.list1);
    rows2_->Show(model_.list2);
    rows3_->Show(model_.list3);
    const QModelIndex selected = rows3_->index(model_.list3Index);  // invalid for -1
    if (list3_->currentIndex() != selected) {
        if (selected.isValid()) list3_->setCurrentIndex(selected);
        else list3_->selectionModel()->clear();
    }
    showing_ = wasShowing;
}

}  // namespace quorvel
