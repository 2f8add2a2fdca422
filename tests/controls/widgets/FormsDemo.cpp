// The dialog base form (a process screen and a dialog built on it) and the
// wizard page control, for looking at them: run under
// `xvfb-run -a forms_demo <folder>` it saves each as a picture in the
// folder; without an argument the screens stay open. No database is used:
// the size memory and the process history stay off.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "controls/widgets/TBSDI.h"
#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxWizard.h"
#include "foundation/SystemDef.h"
#include "foundation/AccInf.h"
#include "platform/DateTime.h"

namespace {

class DemoScreen : public TBSDI {
public:
    DemoScreen() : TBSDI(nullptr, bsSizeable)
    {
        setObjectName(QStringLiteral("DemoScreen"));
        setWindowTitle(QStringLiteral("本・支店別 残高一覧"));
        resize(520, 260);
        auto* caption = new QLabel(QStringLiteral("支店コード"), this);
        caption->setGeometry(10, 12, 90, 20);
        auto* code = new QLineEdit(this);
        code->setGeometry(100, 10, 80, 22);
        code->setToolTip(QStringLiteral("支店|支店コードを入力します"));
        auto* kikan = new TxKikanPanel16(this);
        kikan->setObjectName(QStringLiteral("KikanPanel16"));
        kikan->setGeometry(10, 50, 248, 24);
        auto* date = new TLedrixExDateEdit(this);
        date->move(10, 90);
        auto* hint = new QLabel(this);
        hint->setGeometry(10, 180, 400, 20);
        auto* ok = new TxPlButton(QStringLiteral("実行"), this);
        ok->setGeometry(300, 210, 90, 32);
        auto* close = new TxPlButton(QStringLiteral("終了"), this);
        close->setGeometry(400, 210, 90, 32);
        FormCreate();
        UseProcHistory = false;
        UseSizeMemory = false;
        ReloadAccInfo = false;
        HintMemo = hint;
        KeepOnClose = true;
        CreatedOK = true;
    }
};

class DemoWizard : public QWidget {
public:
    DemoWizard()
    {
        setWindowTitle(QStringLiteral("変換ウィザード"));
        resize(480, 300);
        auto* header = new QLabel(this);
        header->setGeometry(10, 10, 460, 24);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        auto* info = new QLabel(this);
        info->setGeometry(10, 36, 460, 20);
        wizard = new TxWizard(this);
        wizard->setGeometry(10, 64, 460, 180);
        for (const char* text :
             {"データを選択してください。", "期間を選択してください。", "出力先を指定してください。"}) {
            auto* page = new QLabel(QString::fromUtf8(text));
            page->setFrameShape(QFrame::Box);
            wizard->addWidget(page);
        }
        wizard->SetHeaderCaption(
            {QStringLiteral("データの選択"), QStringLiteral("期間の選択"), QStringLiteral("出力先")});
        wizard->SetInfoCaption({QStringLiteral("手順 1/3"), QStringLiteral("手順 2/3"), QStringLiteral("手順 3/3")});
        auto* back = new QPushButton(this);
        back->setGeometry(250, 256, 100, 30);
        auto* next = new QPushButton(this);
        next->setGeometry(360, 256, 100, 30);
        wizard->SetLblHeader(header);
        wizard->SetLblInfo(info);
        wizard->SetBackButton(back);
        wizard->SetNextButton(next);
    }
    TxWizard* wizard;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("IPAPGothic"), 10);
    app.setFont(font);
    SystemDef.StandardFont = {"IPAPGothic", 10, 0, 128, 0};
    SystemDef.OperatorFont = {"IPAPGothic", 12, 0, 128, 0};
    SystemDef.EraDisplay = 1;
    AccInf.SIME = 99;
    AccInf.KISHU = EncodeDate(2024, 4, 1);
    AccInf.KIMATU = EncodeDate(2025, 3, 31);
    AccInf.KAISI = AccInf.KISHU;
    AccInf.KAISINO = 4;
    AccInf.MedicalChart = 1;

    DemoScreen screen;
    DemoWizard wizard;
    screen.show();
    wizard.show();
    wizard.move(screen.x() + screen.width() + 20, screen.y());
    if (argc < 2)
        return app.exec();

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTimer::singleShot(300, [&] {
        bool saved = screen.grab().save(folder.filePath(QStringLiteral("tbsdi_screen.png")));
        saved = wizard.grab().save(folder.filePath(QStringLiteral("wizard_page1.png"))) && saved;
        wizard.wizard->NextClick(wizard.wizard->NextButton());
        wizard.wizard->NextClick(wizard.wizard->NextButton());
        saved = wizard.grab().save(folder.filePath(QStringLiteral("wizard_page3.png"))) && saved;
        std::printf("zoom %d%%, pixels per inch %d\n", screen.ZoomPercent, screen.PixelsPerInch());
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
