#pragma once
// The small window of the progress component: an animation, one line of
// information and, when asked for, a cancel button. The component
// (TxAnimeProgressDialog) builds, lays out and drives it.

#include <QDialog>
#include <functional>

class QLabel;
class QMovie;
class QPushButton;

class TxProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TxProgressForm(QWidget* owner);

    QLabel* Animate;
    QLabel* Info;
    QPushButton* CancelButton;  // none until the component adds it

    // Plays the animation file; false (and no animation) when it cannot be
    // read. An empty name stops and clears the animation.
    bool LoadAnimation(const QString& fileName);
    void SetAnimationActive(bool on);
    bool AnimationActive() const;

    std::function<void()> OnCancelClick;

protected:
    // The window closes only through its component.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMovie* movie_ = nullptr;
};
