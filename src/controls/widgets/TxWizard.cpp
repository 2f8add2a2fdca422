#include "controls/widgets/TxWizard.h"

TxWizard::TxWizard(QWidget* parent)
    : QStackedWidget(parent),
      nextCap_(QStringLiteral("次へ(&N) >")),
      nextFinCap_(QStringLiteral("完了(&F)")),
      backCap_(QStringLiteral("< 戻る(&B)"))
{}

void TxWizard::SetNextButton(QAbstractButton* button)
{
    disconnect(nextConnection_);
    next_ = button;
    if (!next_)
        return;
    nextConnection_ = connect(next_, &QAbstractButton::clicked, this, [this] { NextClick(next_); });
    next_->setText(count() == 1 ? nextFinCap_ : nextCap_);
}

void TxWizard::SetBackButton(QAbstractButton* button)
{
    disconnect(backConnection_);
    back_ = button;
    if (!back_)
        return;
    backConnection_ = connect(back_, &QAbstractButton::clicked, this, [this] { BackClick(back_); });
    back_->setVisible(false);
    back_->setText(backCap_);
}

void TxWizard::SetLblHeader(QLabel* label)
{
    header_ = label;
    ShowCaptions(currentIndex());
}

void TxWizard::SetLblInfo(QLabel* label)
{
    info_ = label;
    ShowCaptions(currentIndex());
}

void TxWizard::ShowCaptions(int index)
{
    if (index < 0)
        return;
    if (header_ && headers_.size() > index)
        header_->setText(headers_.at(index));
    if (info_ && infos_.size() > index)
        info_->setText(infos_.at(index));
}

void TxWizard::NextClick(QObject* sender)
{
    const int pages = count();
    const int page = currentIndex();
    bool finalState = false;
    bool allowChange = true;
    // The form is asked before anything moves, and always with FinalState
    // false: whether this is the last step is decided only afterwards.
    if (OnNextClicking)
        OnNextClicking(sender, finalState, allowChange);
    if (!allowChange)
        return;
    if (pages == 1 || pages == page + 1) {
        finalState = true;
    } else {
        setCurrentIndex(page + 1);
        ShowCaptions(page + 1);
        if (back_)
            back_->setVisible(true);
    }
    if (next_ && currentIndex() == pages - 1)
        next_->setText(nextFinCap_);
    if (OnNextClick)
        OnNextClick(sender, finalState);
}

void TxWizard::BackClick(QObject* sender)
{
    const int pages = count();
    const int page = currentIndex();
    if (pages == 1 || page <= 0) {
        if (back_)
            back_->setVisible(false);
    } else {
        setCurrentIndex(page - 1);
        ShowCaptions(page - 1);
        if (next_)
            next_->setText(nextCap_);
        if (currentIndex() == 0 && back_)
            back_->setVisible(false);
    }
    if (OnBackClick)
        OnBackClick(sender);
}
