#pragma once
// A notebook (one page shown at a time) that runs as the steps of a wizard.
// It drives a Back and a Next button that sit elsewhere on the form, shows
// each page's header and information captions in two labels, gives the
// Next button its finishing caption on the last page, lets the form veto a
// Next step before anything moves (OnNextClicking) and tells it afterwards
// whether Next was pressed on the last page (OnNextClick's FinalState).
//
// The pages are the stacked widget's own; their order is the step order.

#include <QAbstractButton>
#include <QLabel>
#include <QStackedWidget>
#include <QStringList>
#include <functional>

class TxWizard : public QStackedWidget {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TNextClickEvent = std::function<void(QObject* sender, bool finalState)>;
    using TNextClickingEvent = std::function<void(QObject* sender, bool finalState, bool& allowChange)>;

    explicit TxWizard(QWidget* parent = nullptr);

    QString NextButtonCap() const { return nextCap_; }
    void SetNextButtonCap(const QString& caption) { nextCap_ = caption; }
    QString NextButtonFinCap() const { return nextFinCap_; }
    void SetNextButtonFinCap(const QString& caption) { nextFinCap_ = caption; }
    QString BackButtonCap() const { return backCap_; }
    void SetBackButtonCap(const QString& caption) { backCap_ = caption; }

    // The Next button's click now runs the Next step; its caption is the
    // finishing one when there is one page only.
    QAbstractButton* NextButton() const { return next_; }
    void SetNextButton(QAbstractButton* button);
    // The Back button's click now runs the Back step; it is hidden and
    // captioned.
    QAbstractButton* BackButton() const { return back_; }
    void SetBackButton(QAbstractButton* button);
    // The labels show the current page's entry of their list when the list
    // has one.
    QLabel* LblHeader() const { return header_; }
    void SetLblHeader(QLabel* label);
    QLabel* LblInfo() const { return info_; }
    void SetLblInfo(QLabel* label);

    const QStringList& HeaderCaption() const { return headers_; }
    void SetHeaderCaption(const QStringList& lines) { headers_ = lines; }
    const QStringList& InfoCaption() const { return infos_; }
    void SetInfoCaption(const QStringList& lines) { infos_ = lines; }

    TNotifyEvent OnBackClick;
    TNextClickEvent OnNextClick;
    TNextClickingEvent OnNextClicking;

    // The steps the buttons' clicks run; Sender is the button.
    void NextClick(QObject* sender);
    void BackClick(QObject* sender);

private:
    // The labels take the entries of page index when their lists hold one.
    void ShowCaptions(int index);

    QString nextCap_;
    QString nextFinCap_;
    QString backCap_;
    QAbstractButton* next_ = nullptr;
    QAbstractButton* back_ = nullptr;
    QLabel* header_ = nullptr;
    QLabel* info_ = nullptr;
    QStringList headers_;
    QStringList infos_;
    QMetaObject::Connection nextConnection_;
    QMetaObject::Connection backConnection_;
};
