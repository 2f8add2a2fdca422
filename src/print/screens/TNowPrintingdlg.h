#pragma once
// The printing dialog: shows the page being printed and takes a cancel. Its
// timer's first tick runs the print; the dialog closes when it is done.

#include "print/PrintHost.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;

class TNowPrintingdlg final : public QDialog, public fol::PrintProgress {
    Q_OBJECT
public:
    explicit TNowPrintingdlg(std::function<void(fol::PrintProgress&)> work, QWidget* parent = nullptr);

    void SetPageLabel(const std::string& text) override;
    // Serves the operator (the cancel button) between pages.
    bool Cancelled() override;
    // Asks "印刷を中止しますか？"; Yes stops after the page being drawn.
    void CancelClick();

    QLabel* LblPrinting;
    QLabel* LblPage;
    QPushButton* BtnCancel;
    QTimer* Timer;

private:
    void TimerTick();
    std::function<void(fol::PrintProgress&)> work_;
    bool cancelled_ = false;
};
