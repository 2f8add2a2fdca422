// A small form with one of each own control, for looking at them: run under
// `xvfb-run -a controls_demo out.png` it saves the form as a picture; without
// an argument it stays open.
#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QTimer>
#include <cstdio>

#include "controls/widgets/TLedrixDateEdit.h"
#include "controls/widgets/TLedrixEdit.h"
#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxCheckedComboBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxKikanPanel12.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxKikanPanel4.h"
#include "controls/widgets/TxMaskEdit.h"
#include "controls/widgets/TxPFbtn.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"

namespace {

QLabel* Caption(QWidget* form, const QString& text, int y)
{
    auto* label = new QLabel(text, form);
    label->setGeometry(10, y + 2, 130, 20);
    return label;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("IPAGothic"), 10);
    app.setFont(font);

    QDialog form;
    form.setWindowTitle(QStringLiteral("コントロール見本"));
    form.resize(560, 580);
    int y = 10;
    const auto row = [&](const QString& caption, QWidget* w, int height = 26) {
        Caption(&form, caption, y);
        w->move(150, y);
        y += height + 8;
    };

    auto* edit = new TxEdit(&form);
    edit->setText(QStringLiteral("現金出納帳"));
    edit->resize(200, 24);
    row(QStringLiteral("TxEdit"), edit);

    auto* combo = new TxComboBox(&form);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("001:現金"), QStringLiteral("002:預金")});
    combo->KeyLen = 3;
    combo->SetItemIndex(1);
    combo->resize(200, 24);
    row(QStringLiteral("TxComboBox"), combo);

    auto* check = new TxCheckBox(QStringLiteral("決算仕訳を含む"), &form);
    check->setChecked(true);
    check->adjustSize();
    row(QStringLiteral("TxCheckBox"), check, 20);

    auto* radio = new TxRadioButton(QStringLiteral("税込"), &form);
    radio->setChecked(true);
    radio->adjustSize();
    row(QStringLiteral("TxRadioButton"), radio, 20);

    auto* mask = new TxMaskEdit(&form);
    mask->setInputMask(QStringLiteral("9999/99/99;_"));
    mask->setText(QStringLiteral("20240401"));
    mask->resize(120, 24);
    row(QStringLiteral("TxMaskEdit"), mask);

    auto* amount = new TLedrixEdit(&form);
    amount->EditStyle = esNumericMinus;
    amount->SetOutputFormat(QStringLiteral("#,##0"));
    amount->SetComma(true);
    amount->SetMaxLength(11);
    amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount->setText(QStringLiteral("-1234567"));
    amount->ApplyOutputFormat();
    amount->resize(150, 24);
    row(QStringLiteral("TLedrixEdit"), amount);

    auto* kikan = new TxKikanPanel16(&form);
    kikan->SetupPeriod(99, EncodeDate(2024, 4, 1), EncodeDate(2025, 3, 31), EncodeDate(2024, 4, 1));
    kikan->SetStno(4);
    kikan->SetEdno(9);
    kikan->SetKakuteiMode(true);
    kikan->SetKakuteiMNo(3);
    QFont small = kikan->font();
    small.setPixelSize(11);
    kikan->setFont(small);
    kikan->resize(248, 22);
    row(QStringLiteral("TxKikanPanel16"), kikan, 22);

    auto* kikan12 = new TxKikanPanel12(&form);
    kikan12->setFont(small);
    kikan12->resize(248, 22);
    row(QStringLiteral("TxKikanPanel12"), kikan12, 22);

    auto* kikan4 = new TxKikanPanel4(&form);
    kikan4->setEnabled(false);
    row(QStringLiteral("TxKikanPanel4 (無効)"), kikan4, 22);

    auto* date = new TLedrixExDateEdit(&form);
    date->SetWarekiTable(GengoTable().empty() ? (BuildGengoTable(), GengoTable()) : GengoTable());
    date->SetEditStyle(desYearMonthDayHM);
    date->SetExDateEditValue(EncodeDate(2024, 6, 7) + EncodeTime(14, 30, 0, 0));
    row(QStringLiteral("TLedrixExDateEdit"), date, date->height());

    auto* dateOff = new TLedrixExDateEdit(&form);
    dateOff->SetGengo(rsBoth);
    dateOff->SetExDateEditValue(EncodeDate(1989, 1, 7));
    dateOff->setEnabled(false);
    row(QStringLiteral("(無効)"), dateOff, dateOff->height());

    auto* masked = new TLedrixDateEdit(&form);
    masked->SetEraEntry(true);
    masked->SetDate(EncodeDate(2024, 6, 7));
    masked->resize(90, 24);
    row(QStringLiteral("TLedrixDateEdit"), masked);

    auto* checked = new TxCheckedComboBox(&form);
    checked->SetItems({QStringLiteral("本店"), QStringLiteral("支店"), QStringLiteral("工場")});
    checked->SetChecked(0, true);
    checked->SetChecked(2, true);
    checked->resize(160, checked->height());
    row(QStringLiteral("TxCheckedComboBox"), checked, checked->height());

    auto* ok = new TxPlButton(QStringLiteral("OK"), &form);
    ok->SetCaptionA({QStringLiteral("実行"), taEven, 0, 0});
    ok->ModalResult = 1;
    auto* cancel = new TxPlButton(QStringLiteral("Cancel"), &form);
    cancel->SetCaptionA({QStringLiteral("キャンセル"), taCenter, 0, 0});
    cancel->SetButtonStyle(bsRoundRect);
    cancel->Cancel = true;
    auto* twoLines = new TxPlButton(QStringLiteral("Two"), &form);
    twoLines->resize(90, 40);
    twoLines->SetCaptionA({QStringLiteral("印刷"), taCenter, 0, 0});
    twoLines->SetCaptionB({QStringLiteral("F9"), taCenter, 0, 0});
    auto* disabled = new TxPlButton(QStringLiteral("Off"), &form);
    disabled->SetCaptionA({QStringLiteral("無効"), taCenter, 0, 0});
    disabled->setEnabled(false);
    Caption(&form, QStringLiteral("TxPlButton"), y);
    ok->move(150, y);
    cancel->move(235, y);
    twoLines->move(320, y - 7);
    disabled->move(420, y);
    y += 44;

    auto* f1 = new TxPFbtn(QStringLiteral("F1"), &form);
    f1->setGeometry(150, y, 90, 24);
    auto* f1Label = new QLabel(QStringLiteral("F1 ヘルプ"), f1);
    f1Label->setGeometry(6, 2, 80, 20);
    Caption(&form, QStringLiteral("TxPFbtn"), y);

    form.show();
    form.activateWindow();
    ok->setFocus();
    if (argc < 2)
        return app.exec();
    const QString path = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(300, &form, [&] {
        const QWidget* focus = QApplication::focusWidget();
        std::fprintf(stderr, "focus: %s\n", focus != nullptr ? qPrintable(focus->objectName()) : "(none)");
        const QPixmap picture = form.grab();
        // The button row once more, three times as large, to look at the
        // frames pixel by pixel.
        const QRect buttons(140, ok->y() - 10, 370, 50);
        const QPixmap zoomed = picture.copy(buttons).scaled(buttons.size() * 3);
        QString zoomPath = path;
        zoomPath.replace(QLatin1String(".png"), QLatin1String("-buttons.png"));
        const bool saved = picture.save(path) && zoomed.save(zoomPath);
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
