#pragma once
// Watches a line edit for the input dialog: keeps its text within a length
// counted in CP932 bytes, and drops the characters that its key filter
// refuses, whether typed or committed by an input method. Text that CP932
// cannot hold is refused as a whole.

#include <QObject>
#include <QString>

class QLineEdit;

class TextInputGuard : public QObject {
    Q_OBJECT
public:
    explicit TextInputGuard(QLineEdit* edit);

    // 0: no limit.
    void SetMaxBytes(int maxBytes) { maxBytes_ = maxBytes; }
    // The key filter (controls/InputRules.h); 0: none.
    void SetCharFilter(int filter) { filter_ = filter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Filtered(const QString& text) const;
    void Limit();

    QLineEdit* edit_;
    QString before_;
    int maxBytes_ = 0;
    int filter_ = 0;
    bool limiting_ = false;
    bool forwarding_ = false;
};
