#pragma once
// The progress component that long operations keep on their form. It opens
// a small window (TxProgressForm) with an animation, a caption, a line of
// information and optionally a cancel button.
//
// Modeless (no OnShow): ShowProgressDialog disables the owner form and
// returns; the work runs on, updating InfoLabel, processing messages and
// polling Cancelled; CloseProgressDialog (in the work's cleanup) closes the
// window and enables the owner again. The owner is enabled again also when
// the component goes away, so it is never left disabled.
//
// Modal (OnShow set): ShowProgressDialog runs the window's own modal loop,
// calls OnShow once the window shows, closes the window when it returns,
// and then throws again whatever the work threw.
//
// There are no system animations here: CommonAVI is kept but shows nothing;
// AviFile names an animation file (any format the image readers play) and
// is ignored when it does not exist or cannot be read.

#include <QObject>
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>

class QWidget;
class TxProgressForm;

enum TxLabelPosition { xlpRight, xlpBottom };
enum TCommonAVI {
    aviNone,
    aviFindFolder,
    aviFindFile,
    aviFindComputer,
    aviCopyFiles,
    aviCopyFile,
    aviRecycleFile,
    aviEmptyRecycle,
    aviDeleteFile
};

class TxAnimeProgressDialog : public QObject {
    Q_OBJECT
public:
    explicit TxAnimeProgressDialog(QObject* owner = nullptr);
    ~TxAnimeProgressDialog() override;

    // The open window, or none.
    QWidget* Handle() const;
    // The owner window; ShowProgressDialog sets it from its form, or the
    // caller sets it to use a bare window as owner.
    QPointer<QWidget> ParentHandle;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QString InfoLabel() const { return info_; }
    // Also repaints an open window at once.
    void SetInfoLabel(const QString& text);
    TxLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TxLabelPosition position);
    TCommonAVI CommonAVI() const { return commonAvi_; }
    void SetCommonAVI(TCommonAVI avi);
    QString AviFile() const { return aviFile_; }
    // A file that does not exist is cleared.
    void SetAviFile(const QString& fileName);
    // False while no window is open.
    bool AnimeActive() const;
    void SetAnimeActive(bool on);
    // Takes effect at the next show.
    bool CancelBtnShow = true;

    std::function<void(QObject* sender)> OnShow;
    std::function<void(QObject* sender)> OnClose;

    bool Cancelled = false;  // set by the cancel button, cleared at every show
    bool Active = false;     // between a modeless show and CloseProgressDialog

    void ShowProgressDialog(QWidget* form);
    int CloseProgressDialog();

private:
    void LayOut();
    void LoadAnimation();
    void PlaceOverOwner();
    void EnableOwner();

    QString caption_;
    QString info_;
    TxLabelPosition labelPosition_ = xlpRight;
    TCommonAVI commonAvi_ = aviNone;
    QString aviFile_;
    QPointer<QWidget> form_;
    QPointer<QWidget> disabledOwner_;
    TxProgressForm* window_ = nullptr;
};
