#pragma once
// The date and time entry: a row of small boxes, each followed by its unit
// label, with an era box before the year and an optional AM/PM box before
// the hour. The style chooses the boxes; the year is typed in Western or era
// form. GetExDateEditValue validates the boxes: a wrong entry is reported in
// a message box, the focus goes to the wrong box, and the asking operation
// is stopped with EAbort (controls/Abort.h), which its handler catches.
//
// Tab and Enter walk the edit's own boxes, round from the last to the first;
// a walk that finds no other box shown and enabled leaves the focus where it
// is.

#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <functional>

#include "controls/ExDateRules.h"
#include "controls/widgets/TLedrixExDateEditLabel.h"

class TLedrixExDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit TLedrixExDateEdit(QWidget* parent = nullptr);
    ~TLedrixExDateEdit() override;

    void ClearExDateEdit();
    // Shows a value (kept and clamped by the style and limits); throws EAbort
    // after the message for a value that is no date at all.
    void SetExDateEditValue(TDateTime value);
    // The validated value; 0 when the edit is empty. Throws EAbort when the
    // boxes do not validate.
    TDateTime GetExDateEditValue();
    void SetWarekiTable(const TGengoArray& table);

    TLedrixExDateEditStyle EditStyle() const { return s_.Style; }
    void SetEditStyle(TLedrixExDateEditStyle style);
    bool EditGengo() const { return s_.EditGengo; }
    void SetEditGengo(bool on);
    bool EditAmpm() const { return s_.EditAmpm; }
    void SetEditAmpm(bool on);
    TLedrixExRekiSet Gengo() const { return s_.Gengo; }
    // Validates first (throws EAbort, Gengo unchanged, when that fails).
    void SetGengo(TLedrixExRekiSet gengo);
    TLedrixExYeardigitSet Yeardigit() const { return s_.Yeardigit; }
    void SetYeardigit(TLedrixExYeardigitSet digits);
    TDateTime MinDate() const { return s_.MinDate; }
    void SetMinDate(TDateTime date);
    TDateTime MaxDate() const { return s_.MaxDate; }
    void SetMaxDate(TDateTime date);
    bool UseWarekiTable() const { return s_.UseWarekiTable; }
    void SetUseWarekiTable(bool on);
    bool CanEmpty() const { return s_.CanEmpty; }
    void SetCanEmpty(bool on) { s_.CanEmpty = on; }
    int SpaceWidth() const { return spaceWidth_; }
    void SetSpaceWidth(int width);
    void SetLabelText(TExDateBox box, const QString& text);
    void SetLabelColor(const QColor& colour);
    void SetTabStop(bool on);
    bool TabStop() const { return tabStop_; }
    void SetColor(const QColor& c);
    void SetFocusedColor(const QColor& c) { focusedColor_ = c; }
    void SetDisableColor(const QColor& c);
    void SetDisableFontColor(const QColor& c);

    bool AutoSelect = true;
    bool DropDownKey = true;
    bool EnterNext = true;
    bool ExitCheck = false;
    bool DisplayError = true;
    QString DialogCaption = QStringLiteral("日付時刻入力");

    bool IsEmpty() const { return empty_; }
    QLineEdit* NumberBox(TExDateBox box) const;
    QComboBox* EraBox() const { return eraBox_; }
    QComboBox* AmpmBox() const { return ampmBox_; }
    TLedrixExDateEditLabel* Label(TExDateBox box) const;
    // The box that is a part of this edit and has the focus, or nullptr.
    QWidget* FocusedBox() const;

    std::function<void(QObject* sender, QChar& key)> OnKeyPress;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QObject* sender)> OnChange;
    std::function<void(QObject* sender)> OnClick;

    virtual void FieldKeyPress(QObject* sender, QChar& key);
    virtual void FieldKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    virtual void FieldChange(QObject* sender);
    virtual void FieldClick(QObject* sender);
    virtual void FieldEnter(QObject* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* Box(int box) const { return boxes_[static_cast<std::size_t>(box)]; }
    TExDateBoxes ReadBoxes() const;
    void WriteBoxes(const TExDateBoxes& boxes);
    void ShowValue(TDateTime value);
    // Runs the validation; on failure reports, focuses and throws EAbort.
    TExDateCheck Validate();
    void Fail(const TExDateCheck& check);
    void FillEraBox();
    void ArrangeFields();
    void ApplyColours();
    void ApplyTabStops(bool boxesTabStop);
    void StepBox(QWidget* from, bool forward);
    void FocusChanged(QWidget* old, QWidget* now);
    bool Owns(const QWidget* w) const;

    TExDateSettings s_;
    TGengoArray table_;
    std::array<QWidget*, ExDateBoxCount> boxes_{};
    std::array<TLedrixExDateEditLabel*, ExDateBoxCount> labels_{};
    QComboBox* eraBox_ = nullptr;
    QComboBox* ampmBox_ = nullptr;
    TDateTime value_ = 0;
    bool empty_ = true;
    int spaceWidth_ = 7;
    bool tabStop_ = true;
    bool inside_ = false;
    QColor color_{Qt::white};
    QColor focusedColor_{Qt::white};
    QColor disableColor_;
    QColor disableFontColor_{Qt::white};
    QColor labelColor_{228, 228, 228};
    QMetaObject::Connection focusWatch_;
};
