// The wizard form's controls: the page control with its five pages, the
// rule and the three buttons below it, laid out on the fixed 771 x 543
// client area.

#include "app/wizard/TForm1.h"
#include "controls/widgets/WindowHandleOwner.h"

#include "app/export/UtiwakesyoDataExport.h"
#include "app/wizard/CloudShareTransfer.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxRadioButton.h"
#include "controls/widgets/TxWizard.h"
#include "foundation/EdgeGuard.h"

#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

QLabel* MakeLabel(QWidget* page, const QString& text, int x, int y, int w, int h = 20)
{
    auto* label = new QLabel(text, page);
    label->setGeometry(x, y, w, h);
    label->setWordWrap(true);
    return label;
}

// A read-only memo without a frame that reads like text on the page.
QPlainTextEdit* MakeBorderlessMemo(QWidget* page, int x, int y, int w, int h)
{
    auto* memo = new QPlainTextEdit(page);
    memo->setGeometry(x, y, w, h);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFocusPolicy(Qt::NoFocus);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, page->palette().color(QPalette::Window));
    memo->setPalette(palette);
    return memo;
}

constexpr int PageFooterTop = 440;

}  // namespace

TForm1::TForm1(const TWizardStart& start, QWidget* parent) : QWidget(parent)
{
    BuildControls();
    FormCreate(start);
}

TForm1::~TForm1()
{
    FormDestroy();
}

QWidget* TForm1::AddPage(const QString& name)
{
    auto* page = new QWidget(Wizard1);
    page->setObjectName(name);
    Wizard1->addWidget(page);
    pages_.push_back(page);
    return page;
}

void TForm1::BuildControls()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(771, 543);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);

    Wizard1 = new TxWizard(this);
    Wizard1->setObjectName(QStringLiteral("Wizard1"));
    Wizard1->setGeometry(0, 0, 771, 488);

    QWidget* page1 = AddPage(QStringLiteral("page1"));
    Memo1a = MakeBorderlessMemo(page1, 24, 24, 723, 70);
    Memo1b = MakeBorderlessMemo(page1, 24, 110, 723, 200);

    QWidget* page2 = AddPage(QStringLiteral("page2"));
    Label2a = MakeLabel(page2, {}, 24, 24, 723, 36);
    btnDataSentaku = new QPushButton(QStringLiteral("データ選択を開く"), page2);
    btnDataSentaku->setGeometry(24, 70, 160, 30);
    listDataInfo = new QTableWidget(0, 2, page2);
    listDataInfo->setGeometry(24, 112, 415, 120);
    listDataInfo->setColumnWidth(0, 150);
    listDataInfo->setColumnWidth(1, 261);
    listDataInfo->horizontalHeader()->hide();
    listDataInfo->verticalHeader()->hide();
    listDataInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    listDataInfo->setSelectionMode(QAbstractItemView::SingleSelection);
    listDataInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listDataInfo->verticalHeader()->setDefaultSectionSize(22);
    Label2c =
        MakeLabel(page2, QStringLiteral("対象のデータが正しく指定されているか確認し、[次へ]をクリックしてください。"),
                  24, PageFooterTop, 723);

    QWidget* page3 = AddPage(QStringLiteral("page3"));
    Label3a = MakeLabel(page3, QStringLiteral("計算条件を指定してください。"), 24, 24, 723);
    GroupBox3a = new QGroupBox(QStringLiteral("計算対象期間"), page3);
    GroupBox3a->setGeometry(24, 60, 723, 90);
    xKikanPanel3a = new TxKikanPanel16(GroupBox3a);
    xKikanPanel3a->setGeometry(12, 28, 699, 48);
    xKikanPanel3a->SetKBDMOUSE(true);
    xKikanPanel3a->SetKikanMove(false);
    xKikanPanel3a->SetBackColor(QColor(0, 0, 128));
    GroupBox3b = new QGroupBox(QStringLiteral("消費税計算区分"), page3);
    GroupBox3b->setGeometry(24, 166, 300, 64);
    RadioButton3a = new TxRadioButton(QStringLiteral("税込み"), GroupBox3b);
    RadioButton3a->setGeometry(16, 28, 110, 24);
    RadioButton3b = new TxRadioButton(QStringLiteral("税抜き"), GroupBox3b);
    RadioButton3b->setGeometry(140, 28, 110, 24);
    Label3b = MakeLabel(page3, QStringLiteral("計算条件が正しく指定されているか確認し、[次へ]をクリックしてください。"),
                        24, PageFooterTop, 723);

    QWidget* page4 = AddPage(QStringLiteral("page4"));
    Label4a = MakeLabel(page4, {}, 24, 24, 723, 36);
    GroupBox4a = new QGroupBox(QStringLiteral("中間ﾌｧｲﾙ"), page4);
    GroupBox4a->setGeometry(24, 70, 723, 70);
    Edit4a = new TxEdit(GroupBox4a);
    Edit4a->setGeometry(12, 30, 600, 24);
    BitBtn4a = new QPushButton(QStringLiteral("参照"), GroupBox4a);
    BitBtn4a->setGeometry(624, 29, 85, 26);
    Label4b =
        MakeLabel(page4, QStringLiteral("中間ファイル名が正しく指定されているか確認し、[次へ]をクリックしてください。"),
                  24, PageFooterTop, 723);

    QWidget* page5 = AddPage(QStringLiteral("page5"));
    Memo5a = MakeLabel(
        page5, QStringLiteral("以上で設定が完了しました。\n内容を確認し、よろしければ[完了]をクリックしてください。"),
        24, 24, 723, 40);
    Memo5b = new QPlainTextEdit(page5);
    Memo5b->setGeometry(24, 76, 723, 396);
    Memo5b->setReadOnly(true);
    Memo5b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont memoFont(QStringLiteral("ＭＳ ゴシック"));
    memoFont.setPixelSize(12);
    memoFont.setStyleHint(QFont::Monospace);
    Memo5b->setFont(memoFont);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, 492, 755, 4);
    Button1 = new QPushButton(this);
    Button1->setGeometry(470, 505, 90, 27);
    Button2 = new QPushButton(this);
    Button2->setGeometry(560, 505, 90, 27);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setGeometry(668, 505, 90, 27);

    Wizard1->SetNextButtonCap(QStringLiteral("次へ(&N) >"));
    Wizard1->SetNextButtonFinCap(QStringLiteral("完了(&F)"));
    Wizard1->SetBackButtonCap(QStringLiteral("< 戻る(&B)"));
    Wizard1->SetNextButton(Button2);
    Wizard1->SetBackButton(Button1);
    // Every handler runs at the edge: no exception reaches the event loop.
    Wizard1->OnNextClicking = [this](QObject* sender, bool finalState, bool& allow) {
        if (!RunAtEdge([&] { Wizard1NextClicking(sender, finalState, allow); }))
            allow = false;
    };
    Wizard1->OnNextClick = [this](QObject* sender, bool finalState) {
        RunAtEdge([&] { Wizard1NextClick(sender, finalState); });
    };
    connect(Wizard1, &QStackedWidget::currentChanged, this, [this] { RunAtEdge([this] { Wizard1PageChanged(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { RunAtEdge([this] { btnCancelClick(); }); });
    connect(btnDataSentaku, &QPushButton::clicked, this, [this] { RunAtEdge([this] { btnDataSentakuClick(); }); });
    connect(BitBtn4a, &QPushButton::clicked, this, [this] { RunAtEdge([this] { BitBtn4aClick(); }); });
    xKikanPanel3a->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        RunAtEdge([this] { xKikanPanel3aMouseUp(); });
    };

    xAnimeProgressDialog1 = new TxAnimeProgressDialog(this);
}

QWidget* TForm1::Page(const QString& name) const
{
    for (int i = 0; i < Wizard1->count(); ++i)
        if (Wizard1->widget(i)->objectName() == name)
            return Wizard1->widget(i);
    return nullptr;
}

QString TForm1::CurrentPageName() const
{
    QWidget* page = Wizard1->currentWidget();
    return page ? page->objectName() : QString();
}

// A removed page leaves the page control but keeps its controls, so that
// code filling them (the file-name edit) has them still.
void TForm1::RemovePage(const QString& name)
{
    if (QWidget* page = Page(name))
        Wizard1->removeWidget(page);
}
