#include "controls/printdialogs/TPrnColorSetBox.h"

#include "controls/widgets/TxPlButton.h"
#include "foundation/StyleColorStore.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemSettings.h"
#include "foundation/UserMessage.h"

#include <QColorDialog>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int FormWidth = 300;
constexpr int FormHeight = 236;
constexpr int RowTop = 16;
constexpr int RowStep = 36;

constexpr const char* RowCaptions[TPrnColorSetBox::RowCount] = {"枠線:", "縦横線:", "見出し行:", "合計行:"};
constexpr const char* PanelNames[TPrnColorSetBox::RowCount] = {"pnlFrameLine", "pnlGridLine", "pnlHeading", "pnlTotal"};

QColor FromTColor(std::int32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

std::int32_t ToTColor(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

TxPlButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new TxPlButton(name, parent);
    b->setObjectName(name);
    TxPlBtnCaption c;
    c.Caption = caption;
    b->SetCaptionA(c);
    return b;
}

// A handler's failure is shown, never passed into the event loop.
template <typename Work>
void Guarded(Work work)
{
    try {
        work();
    } catch (const std::exception& e) {
        ShowUserMessage(e.what(), TMsgDlgType::mtError);
    }
}

void SetLinkColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

TPrnColorSetBox::TPrnColorSetBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("PrnColorSetBox"));
    setWindowTitle(QStringLiteral("帳票色の選択"));
    resize(FormWidth, FormHeight);

    for (int row = 0; row < RowCount; ++row) {
        const int top = RowTop + row * RowStep;
        auto* label = new QLabel(QString::fromUtf8(RowCaptions[row]), this);
        label->setGeometry(16, top + 4, 80, 20);
        QFrame* panel = Panels[static_cast<std::size_t>(row)] = new QFrame(this);
        panel->setObjectName(QString::fromUtf8(PanelNames[row]));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setGeometry(100, top, 100, 26);
        TxPlButton* change = ChangeButtons[static_cast<std::size_t>(row)] =
            MakeButton(this, QStringLiteral("btnChange%1").arg(row + 1), QStringLiteral("変更"));
        change->setGeometry(212, top, 64, 26);
        change->OnClick = [this, row](QObject*) { Guarded([this, row] { ChangeClick(row); }); };
    }

    lblReset = new QLabel(QStringLiteral("環境設定の色に戻す"), this);
    lblReset->setObjectName(QStringLiteral("lblReset"));
    QFont underlined = lblReset->font();
    underlined.setUnderline(true);
    lblReset->setFont(underlined);
    SetLinkColour(lblReset, Qt::blue);
    lblReset->setCursor(Qt::PointingHandCursor);
    lblReset->setGeometry(16, RowTop + RowCount * RowStep + 2, 160, 20);
    lblReset->installEventFilter(this);

    btnOK = MakeButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"));
    btnOK->setGeometry(FormWidth - 16 - 2 * 88 - 8, FormHeight - 44, 88, 32);
    btnOK->OnClick = [this](QObject*) { Guarded([this] { OkClick(); }); };
    btnCancel = MakeButton(this, QStringLiteral("btnCancel"), QStringLiteral("キャンセル"));
    btnCancel->setGeometry(FormWidth - 16 - 88, FormHeight - 44, 88, 32);
    btnCancel->Cancel = true;
    btnCancel->OnClick = [this](QObject*) { done(mrCancel); };

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));

    try {
        FormCreate();
        F12Button = btnOK;
        KeepOnClose = true;
        CreatedOK = true;
    } catch (const std::exception&) {
        // CreatedOK stays false: the first show says so and closes.
    }
}

void TPrnColorSetBox::Setup(bool initFlag)
{
    initFlag_ = initFlag;
    PaintPanel(0, FrameLineColor);
    PaintPanel(1, GridLineColor);
    PaintPanel(2, HeadingColor);
    PaintPanel(3, TotalColor);
    lblReset->setVisible(PerReport);
    const std::array<QColor, 16> palette = PaletteFromLines(GetStyleColor(SystemDef.OPCODE, PaletteStyleName));
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, palette[static_cast<std::size_t>(i)]);
}

std::array<QColor, 16> TPrnColorSetBox::PaletteFromLines(const std::string& lines)
{
    std::array<QColor, 16> colours;
    colours.fill(Qt::white);
    std::size_t start = 0;
    while (start < lines.size()) {
        std::size_t end = lines.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(start, end - start);
        start = end + 1;
        // "Color" + a letter A-P + "=" + the hex of the colour.
        if (line.size() < 8 || line.compare(0, 5, "Color") != 0 || line[6] != '=' || line[5] < 'A' || line[5] > 'P')
            continue;
        const std::string hex = line.substr(7);
        char* rest = nullptr;
        const long value = std::strtol(hex.c_str(), &rest, 16);
        if (rest == hex.c_str() || *rest != '\0' || value < 0 || value > 0xFFFFFF)
            continue;
        colours[static_cast<std::size_t>(line[5] - 'A')] = FromTColor(static_cast<std::int32_t>(value));
    }
    return colours;
}

std::string TPrnColorSetBox::PaletteLines(const std::array<QColor, 16>& colours)
{
    std::string lines;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "Color%c=%.6X\r\n", static_cast<char>('A' + i),
                      static_cast<unsigned>(ToTColor(colours[i])));
        lines += line;
    }
    return lines;
}

void TPrnColorSetBox::PaintPanel(int row, std::int32_t colour)
{
    QFrame* panel = Panels[static_cast<std::size_t>(row)];
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, FromTColor(colour));
    panel->setPalette(palette);
}

std::int32_t TPrnColorSetBox::PanelColour(int row) const
{
    return ToTColor(Panels[static_cast<std::size_t>(row)]->palette().color(QPalette::Window));
}

void TPrnColorSetBox::ChangeClick(int row)
{
    ColorDialog1->setCurrentColor(FromTColor(PanelColour(row)));
    if (ColorDialog1->exec() == QDialog::Accepted)
        PaintPanel(row, ToTColor(ColorDialog1->selectedColor()));
}

void TPrnColorSetBox::ResetClick()
{
    // The message boxes break lines at "\r" alone.
    if (ShowUserMessage("帳票の色を環境設定の色に戻します。\rよろしいですか？", TMsgDlgType::mtConfirmation,
                        {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return;
    SetLinkColour(lblReset, QColor(0x80, 0x00, 0x80));
    FrameLineColor = SystemDef.PLineColor1;
    GridLineColor = SystemDef.PLineColor2;
    HeadingColor = SystemDef.NetColor1;
    TotalColor = SystemDef.NetColor2;
    PaintPanel(0, FrameLineColor);
    PaintPanel(1, GridLineColor);
    PaintPanel(2, HeadingColor);
    PaintPanel(3, TotalColor);
}

void TPrnColorSetBox::OkClick()
{
    FrameLineColor = PanelColour(0);
    GridLineColor = PanelColour(1);
    HeadingColor = PanelColour(2);
    TotalColor = PanelColour(3);
    if (!PerReport) {
        SystemDef.PLineColor1 = FrameLineColor;
        SystemDef.PLineColor2 = GridLineColor;
        SystemDef.NetColor1 = HeadingColor;
        SystemDef.NetColor2 = TotalColor;
        fnPutSysDef();
    }
    done(mrOk);
}

void TPrnColorSetBox::done(int result)
{
    hide();
    if (CreatedOK) {
        std::array<QColor, 16> palette;
        for (int i = 0; i < 16; ++i)
            palette[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);
        PutStyleColor(SystemDef.OPCODE, PaletteStyleName, PaletteLines(palette));
    }
    TBSDI::done(result);
}

void TPrnColorSetBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (!CheckCreatedOK())
        return;
    btnOK->setFocus();
}

bool TPrnColorSetBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblReset && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Guarded([this] { ResetClick(); });
        return true;
    }
    return TBSDI::eventFilter(watched, event);
}
