#pragma once
// The rich message box: up to ten lines, each with its own colour and
// optionally a link, an icon by type, one to three of the standard buttons
// with captions the caller may replace, an agree box that can hold the
// first button until it is ticked, and Ctrl+C to copy the text. The record
// (controls/MessageBox2Info.h) says everything; ShowMessageBox2 shows it.

#include <QDialog>
#include <array>

#include "controls/MessageBox2Info.h"

class QLabel;
class QPushButton;
class TxCheckBox;

class TMessageBox2 : public QDialog {
    Q_OBJECT
public:
    explicit TMessageBox2(QWidget* owner = nullptr);

    // Lays the box out for the record (the catalogue entry of its MessageId
    // replaces type, buttons, caption and lines).
    void SetupMessage(const TMessage2InfoRec& info);
    // The record as shown, with the agree box's tick in AgreeState.
    TMessage2InfoRec ShownInfo() const;

    QWidget* pnlClient;
    QWidget* pnlAgree;
    QWidget* pnlBottom;
    QLabel* Image1;
    std::array<QLabel*, Message2LineCount> Labels{};
    std::array<QPushButton*, 3> Buttons{};
    TxCheckBox* btnAgree;

public slots:
    // Esc and the close box give cancel (2).
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyAgree();

    TMessage2InfoRec info_;
    std::array<int, 3> results_{};
};

// Shows the record modally over the active window, writes the agree box's
// tick back into AgreeState and returns the modal result.
int ShowMessageBox2(TMessage2InfoRec& info);
