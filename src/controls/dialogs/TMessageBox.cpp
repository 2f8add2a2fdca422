#include "controls/dialogs/TMessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

#include "controls/dialogs/DialogKeys.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"

namespace {

constexpr int DesignWidth = 504;
constexpr int DesignHeight = 293;
constexpr int MemoTop = 60;
constexpr int MemoHeight = 150;
constexpr int AgreeTop = MemoTop + MemoHeight + 8;
constexpr int ButtonTop = DesignHeight - 40;

void SetCaption(TxPlButton* button, const QString& text)
{
    TxPlBtnCaption caption = button->CaptionA();
    caption.Caption = text;
    button->SetCaptionA(caption);
}

}  // namespace

void InitMessageInfo(TMessageInfoRec& info)
{
    info = TMessageInfoRec{};
}

TMessageBox::TMessageBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("MessageBox"));
    lblMain = new QLabel(this);
    lblMain->setObjectName(QStringLiteral("lblMain"));
    lblMain->setWordWrap(true);
    lblMain->setTextFormat(Qt::PlainText);
    lblMain->setGeometry(16, 12, DesignWidth - 32, MemoTop - 20);
    MessageArea = new QPlainTextEdit(this);
    MessageArea->setObjectName(QStringLiteral("MessageArea"));
    MessageArea->setReadOnly(true);
    MessageArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MessageArea->setGeometry(16, MemoTop, DesignWidth - 32, MemoHeight);
    cboxAgree = new TxCheckBox(QStringLiteral("同意する"), this);
    cboxAgree->setObjectName(QStringLiteral("cboxAgree"));
    cboxAgree->setGeometry(16, AgreeTop, DesignWidth - 32, 22);
    btnOK = new TxPlButton(QStringLiteral("btnOK"), this);
    btnCancel = new TxPlButton(QStringLiteral("btnCancel"), this);
    btnOK->setGeometry(DesignWidth - 2 * 96 - 16, ButtonTop, 90, 28);
    btnCancel->setGeometry(DesignWidth - 96 - 16, ButtonTop, 90, 28);
    connect(cboxAgree, &QCheckBox::clicked, this, [this] {
        if (kind_ == 2)
            btnOK->setEnabled(cboxAgree->isChecked());
    });
    SetupMessageBox(TMessageInfoRec{});
}

void TMessageBox::SetupMessageBox(const TMessageInfoRec& info)
{
    kind_ = info.Kind;
    position_ = info.Position;
    cboxAgree->setVisible(kind_ == 2 || kind_ == 3);
    btnOK->setVisible(true);
    btnCancel->setVisible(true);
    SetCaption(btnOK, QStringLiteral("OK"));
    btnOK->ModalResult = 1;
    SetCaption(btnCancel, QStringLiteral("キャンセル"));
    btnCancel->ModalResult = 2;
    if (kind_ == 1) {
        btnOK->setVisible(false);
        SetCaption(btnCancel, QStringLiteral("OK"));
        btnCancel->ModalResult = 1;
    }
    setWindowTitle(QString::fromStdString(info.Caption));
    // Callers break the headline with "\r" (or "\r\n"); a label breaks only
    // at "\n".
    QString label = QString::fromStdString(info.LabelText);
    label.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblMain->setText(label);
    QPalette palette = lblMain->palette();
    const std::uint32_t c = info.LabelColor;
    palette.setColor(QPalette::WindowText, QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                                                  static_cast<int>(c >> 16 & 0xFF)));
    lblMain->setPalette(palette);

    QStringList lines;
    for (const auto& line : info.Lines)
        lines << QString::fromStdString(line);
    MessageArea->setPlainText(lines.join(QLatin1Char('\n')));
    const bool memo = !info.Lines.empty();
    MessageArea->setVisible(memo);
    // Without lines the box is shorter by the memo, and what lies below it
    // moves up.
    const int shift = memo ? 0 : MemoHeight;
    cboxAgree->move(cboxAgree->x(), AgreeTop - shift);
    btnOK->move(btnOK->x(), ButtonTop - shift);
    btnCancel->move(btnCancel->x(), ButtonTop - shift);
    setFixedSize(DesignWidth, DesignHeight - shift);

    if (!info.AgreeText.empty())
        cboxAgree->setText(QString::fromStdString(info.AgreeText));
    cboxAgree->setChecked(false);
    btnOK->setEnabled(kind_ != 2);
}

void TMessageBox::reject()
{
    done(2);
}

void TMessageBox::keyPressEvent(QKeyEvent* event)
{
    if (!SwallowEscapePress(event))
        QDialog::keyPressEvent(event);
}

void TMessageBox::keyReleaseEvent(QKeyEvent* event)
{
    if (!HandleDialogKeyUp(this, event, btnOK))
        QDialog::keyReleaseEvent(event);
}

void TMessageBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (position_ != 7 || !parentWidget()) {
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    btnCancel->setFocus();
}

int ShowMessageBox(const TMessageInfoRec& info)
{
    TMessageBox box(QApplication::activeWindow());
    box.SetupMessageBox(info);
    return box.exec();
}
