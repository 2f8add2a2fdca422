#pragma once
// The margin dialog of the preview: moves the printed image on the paper
// (top and left margin, 0.1 mm, -100 to 100) and, when the printer's paper
// is the document's, corrects its size (vertical and horizontal ratio, per
// mille, shown as the difference to 1000 from -50 to 50).
//
// The values are held as the edits are left and read back after OK.

#include <QDialog>

class QGroupBox;
class QPushButton;
class QToolButton;
class TEditFOL;

// An up-down pair of buttons tied to an edit: each click moves the edit's
// number by the step within the limits.
class TFolUpDown final : public QWidget {
    Q_OBJECT
public:
    TFolUpDown(QWidget* parent, TEditFOL* edit, int minimum, int maximum, int step);
    // Shows the value, kept within the limits.
    void SetPosition(int value);
    QToolButton* Up;
    QToolButton* Down;

private:
    void Move(int steps);
    TEditFOL* edit_;
    int min_, max_, step_;
};

class Tfmyohaku final : public QDialog {
    Q_OBJECT
public:
    explicit Tfmyohaku(QWidget* parent = nullptr);

    int TopMargin() const { return top_; }
    int LeftMargin() const { return left_; }
    int VRatio() const { return vRatio_; }
    int HRatio() const { return hRatio_; }
    void SetTopMargin(int value);
    void SetLeftMargin(int value);
    // Per mille: 950 to 1050 shows as the difference to 1000, others as 0.
    void SetVRatio(int value);
    void SetHRatio(int value);
    // With the spacing group the dialog is 320 high, without it 220.
    void ShowSpacing(bool show);

    QGroupBox* GroupMargin;
    QGroupBox* GroupSpacing;
    TEditFOL* EditTop;
    TEditFOL* EditLeft;
    TEditFOL* EditVertical;
    TEditFOL* EditHorizontal;
    TFolUpDown* UpDownTop;
    TFolUpDown* UpDownLeft;
    TFolUpDown* UpDownVertical;
    TFolUpDown* UpDownHorizontal;
    QPushButton* BtnOK;

private:
    void EditExit(TEditFOL* edit);
    void BtnOKClick();
    bool eventFilter(QObject* watched, QEvent* event) override;

    int top_ = 0;
    int left_ = 0;
    int vRatio_ = 1000;
    int hRatio_ = 1000;
};
