#pragma once
// The computer browser: the computers this one knows by name (itself and
// those its hosts file names), one of which may be chosen or a name typed.

#include <QDialog>

class QComboBox;
class QPushButton;

class TSelectComputerForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectComputerForm(QWidget* owner = nullptr);

    // The names the list offers: this computer first, then the names of the
    // hosts file (the file's path for tests), each once, loopback-only
    // names left out.
    static QStringList KnownComputers(const QString& hostsFile = QStringLiteral("/etc/hosts"));

    void SetComputerName(const QString& name);
    QString ComputerName() const;

    QComboBox* cmbComputer;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};
