#include "controls/dialogs/TxAnimeProgressDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "controls/dialogs/TxProgressForm.h"
#include "foundation/ScreenServices.h"

namespace {

constexpr int ClientWidth = 380;
constexpr int ClientHeight = 100;

}  // namespace

TxAnimeProgressDialog::TxAnimeProgressDialog(QObject* owner) : QObject(owner) {}

TxAnimeProgressDialog::~TxAnimeProgressDialog()
{
    EnableOwner();
    delete window_;
}

QWidget* TxAnimeProgressDialog::Handle() const
{
    return window_;
}

void TxAnimeProgressDialog::SetCaption(const QString& caption)
{
    caption_ = caption;
    if (window_)
        window_->setWindowTitle(caption);
}

void TxAnimeProgressDialog::SetInfoLabel(const QString& text)
{
    info_ = text;
    if (window_) {
        window_->Info->setText(text);
        window_->repaint();
    }
}

void TxAnimeProgressDialog::SetLabelPosition(TxLabelPosition position)
{
    labelPosition_ = position;
    if (window_)
        LayOut();
}

void TxAnimeProgressDialog::SetCommonAVI(TCommonAVI avi)
{
    commonAvi_ = avi;
    if (window_)
        LoadAnimation();
}

void TxAnimeProgressDialog::SetAviFile(const QString& fileName)
{
    aviFile_ = QFileInfo(fileName).isFile() ? fileName : QString();
    if (window_)
        LoadAnimation();
}

bool TxAnimeProgressDialog::AnimeActive() const
{
    return window_ && window_->AnimationActive();
}

void TxAnimeProgressDialog::SetAnimeActive(bool on)
{
    if (window_)
        window_->SetAnimationActive(on);
}

void TxAnimeProgressDialog::LoadAnimation()
{
    window_->LoadAnimation(aviFile_);
}

void TxAnimeProgressDialog::LayOut()
{
    QLabel* animate = window_->Animate;
    QLabel* info = window_->Info;
    animate->setGeometry(20, 16, 32, 32);
    const int lineHeight = info->fontMetrics().boundingRect(QStringLiteral("Wq")).height();
    if (labelPosition_ == xlpRight)
        info->setGeometry(60, 24, 300, lineHeight);
    else
        info->setGeometry(20, 52, 300, lineHeight);
    if (window_->CancelButton && window_->CancelButton->isVisibleTo(window_))
        return;
    // Without the button the animation and the line sit in the middle.
    const int half = ClientHeight / 2;
    animate->move(animate->x(), half - 20);
    info->move(info->x(), labelPosition_ == xlpRight ? half - 8 : half + 20);
}

void TxAnimeProgressDialog::PlaceOverOwner()
{
    QWidget* owner = disabledOwner_;
    const QRect area = owner ? owner->frameGeometry() : QRect();
    if (area.isEmpty()) {
        window_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (const QScreen* screen = window_->screen())
            window_->move(screen->availableGeometry().center() - window_->rect().center());
        return;
    }
    const QSize size = window_->frameGeometry().size();
    window_->move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

void TxAnimeProgressDialog::EnableOwner()
{
    if (disabledOwner_)
        disabledOwner_->setEnabled(true);
    disabledOwner_ = nullptr;
}

void TxAnimeProgressDialog::ShowProgressDialog(QWidget* form)
{
    form_ = form;
    QWidget* owner = form ? form->window() : ParentHandle.data();
    ParentHandle = owner;
    if (!window_) {
        window_ = new TxProgressForm(owner);
        connect(window_, &QDialog::finished, this, [this] {
            if (OnClose)
                OnClose(window_);
        });
    }
    if (form)
        window_->setFont(form->font());
    window_->setWindowTitle(caption_);
    window_->setFixedSize(ClientWidth, ClientHeight);
    window_->Info->setText(info_);
    Cancelled = false;
    if (CancelBtnShow) {
        if (!window_->CancelButton) {
            window_->CancelButton = new QPushButton(QStringLiteral("キャンセル"), window_);
            window_->CancelButton->setObjectName(QStringLiteral("CancelButton"));
            window_->CancelButton->setGeometry(152, 67, 76, 23);
            connect(window_->CancelButton, &QPushButton::clicked, this, [this] { Cancelled = true; });
        }
        window_->CancelButton->show();
    } else if (window_->CancelButton) {
        window_->CancelButton->hide();
    }
    LayOut();
    LoadAnimation();
    Active = true;
    window_->SetAnimationActive(true);

    if (OnShow) {
        // The work runs inside the window's own modal loop, once the window
        // shows; whatever it throws is kept until the loop has ended and the
        // window is gone, and only then reaches the caller.
        std::exception_ptr failure;
        QMetaObject::invokeMethod(
            window_,
            [this, &failure] {
                try {
                    OnShow(window_);
                } catch (...) {
                    failure = std::current_exception();
                }
                window_->done(1);
            },
            Qt::QueuedConnection);
        window_->exec();
        delete window_;
        window_ = nullptr;
        Active = false;
        if (failure)
            std::rethrow_exception(failure);
        return;
    }

    if (owner) {
        owner->setEnabled(false);
        disabledOwner_ = owner;
    }
    PlaceOverOwner();
    window_->show();
    // The window is owned by the disabled form; as a window of its own it
    // stays usable, so its cancel button can be pressed.
    window_->setEnabled(true);
    window_->raise();
    QCoreApplication::processEvents();
    DelayMSec(50);
}

int TxAnimeProgressDialog::CloseProgressDialog()
{
    EnableOwner();
    Active = false;
    delete window_;
    window_ = nullptr;
    return 0;
}
