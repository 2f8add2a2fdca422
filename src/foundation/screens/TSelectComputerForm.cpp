#include "foundation/screens/TSelectComputerForm.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextStream>

#include "platform/SpecialFolders.h"

TSelectComputerForm::TSelectComputerForm(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("SelectComputerForm"));
    setFixedSize(360, 120);
    auto* label = new QLabel(QStringLiteral("コンピュータ名"), this);
    label->setGeometry(16, 16, 328, 20);
    cmbComputer = new QComboBox(this);
    cmbComputer->setObjectName(QStringLiteral("cmbComputer"));
    cmbComputer->setEditable(true);
    cmbComputer->setInsertPolicy(QComboBox::NoInsert);
    cmbComputer->addItems(KnownComputers());
    cmbComputer->setGeometry(16, 40, 328, 24);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setGeometry(176, 80, 80, 26);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(264, 80, 80, 26);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Nothing chosen, nothing to confirm.
    connect(cmbComputer, &QComboBox::editTextChanged, this,
            [this](const QString& text) { btnOK->setEnabled(!text.trimmed().isEmpty()); });
}

QStringList TSelectComputerForm::KnownComputers(const QString& hostsFile)
{
    QStringList names;
    const QString self = QString::fromStdString(folders::ComputerName());
    if (!self.isEmpty())
        names << self;
    QFile file(hostsFile);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        while (!in.atEnd()) {
            const QString line = in.readLine().section(QLatin1Char('#'), 0, 0).trimmed();
            const QStringList fields = line.split(blanks, Qt::SkipEmptyParts);
            if (fields.size() < 2)
                continue;
            const QString& address = fields.first();
            if (address.startsWith(QStringLiteral("127.")) || address == QStringLiteral("::1") ||
                address.startsWith(QStringLiteral("ff0")) || address.startsWith(QStringLiteral("fe00")))
                continue;
            for (qsizetype i = 1; i < fields.size(); ++i)
                if (!names.contains(fields[i]))
                    names << fields[i];
        }
    }
    return names;
}

void TSelectComputerForm::SetComputerName(const QString& name)
{
    cmbComputer->setEditText(name);
    btnOK->setEnabled(!name.trimmed().isEmpty());
}

QString TSelectComputerForm::ComputerName() const
{
    return cmbComputer->currentText().trimmed();
}
