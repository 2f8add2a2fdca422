#include "print/screens/TNowPrintingdlg.h"

#include "foundation/UserMessage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

TNowPrintingdlg::TNowPrintingdlg(std::function<void(fol::PrintProgress&)> work, QWidget* parent)
    : QDialog(parent), work_(std::move(work))
{
    setObjectName("NowPrintingdlg");
    setWindowTitle("印刷");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(240, 110);
    LblPrinting = new QLabel(" 印刷中です。", this);
    LblPrinting->setGeometry(20, 12, 200, 18);
    LblPage = new QLabel(this);
    LblPage->setGeometry(20, 34, 200, 18);
    BtnCancel = new QPushButton("ｷｬﾝｾﾙ", this);
    BtnCancel->setGeometry(80, 66, 80, 28);
    connect(BtnCancel, &QPushButton::clicked, this, &TNowPrintingdlg::CancelClick);
    Timer = new QTimer(this);
    Timer->setInterval(500);
    connect(Timer, &QTimer::timeout, this, &TNowPrintingdlg::TimerTick);
    Timer->start();
}

void TNowPrintingdlg::SetPageLabel(const std::string& text)
{
    LblPage->setText(QString::fromStdString(text));
}

bool TNowPrintingdlg::Cancelled()
{
    QCoreApplication::processEvents();
    return cancelled_;
}

void TNowPrintingdlg::CancelClick()
{
    if (ShowUserMessage("印刷を中止しますか？", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) ==
        mrYes)
        cancelled_ = true;
}

void TNowPrintingdlg::TimerTick()
{
    Timer->stop();
    try {
        work_(*this);
    } catch (...) {
        // The page loop logs its own errors; nothing may leave the timer.
    }
    accept();
}
