#include "controls/dialogs/TxProgressForm.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QPushButton>

TxProgressForm::TxProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), CancelButton(nullptr)
{
    setObjectName(QStringLiteral("xProgressForm"));
    Animate = new QLabel(this);
    Animate->setObjectName(QStringLiteral("Animate"));
    Animate->setAlignment(Qt::AlignCenter);
    Info = new QLabel(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setTextFormat(Qt::PlainText);
}

bool TxProgressForm::LoadAnimation(const QString& fileName)
{
    if (movie_) {
        Animate->setMovie(nullptr);
        delete movie_;
        movie_ = nullptr;
    }
    Animate->clear();
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return false;
    auto* movie = new QMovie(fileName, QByteArray(), this);
    if (!movie->isValid()) {
        delete movie;
        return false;
    }
    movie->setScaledSize(Animate->size());
    movie_ = movie;
    Animate->setMovie(movie_);
    return true;
}

void TxProgressForm::SetAnimationActive(bool on)
{
    if (!movie_)
        return;
    if (on)
        movie_->start();
    else
        movie_->stop();
}

bool TxProgressForm::AnimationActive() const
{
    return movie_ && movie_->state() == QMovie::Running;
}

void TxProgressForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void TxProgressForm::keyPressEvent(QKeyEvent* event)
{
    // Esc would end a modal run before its work is done.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
