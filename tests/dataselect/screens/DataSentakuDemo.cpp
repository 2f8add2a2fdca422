// The data-selection screen saved as PNGs over a dozen data sets: the whole
// list as any caller sees it (one data set forbidding the update it needs,
// one in use, one blank area), and the same list as the wizard opens it,
// which keeps the corporations and medical corporations at version 15;
// the whole list after a refresh from the data folders; and the
// search-conditions dialog. Given a system folder as well, it saves
// the wizard's view of that installation's data list instead.
#include "dataselect/screens/DataSentakuWorld.h"
#include "controls/widgets/TPerfectGrid.h"
#include "dataselect/screens/TDataListKensakuBox.h"
#include "dataselect/screens/TDataSentakuBox.h"

#include <QApplication>
#include <QPixmap>

#include <iostream>

namespace {

// Draws the widget as it stands into the file and names the file.
bool SavePicture(QWidget& widget, const std::string& file)
{
    QApplication::processEvents();
    if (!widget.grab().save(QString::fromStdString(file))) {
        std::cerr << "cannot write " << file << "\n";
        return false;
    }
    std::cout << file << "\n";
    return true;
}

// The screen as the wizard opens it over an installation the database tool
// laid out (its system folder given): operator 20 of group 10000 logged on,
// the home folder the data folder's parent.
int ShowInstallation(const std::string& out, const std::filesystem::path& sysFolder)
{
    SystemDef.USER = dbtest::User;
    SystemDef.PASSWORD = dbtest::Password;
    SystemDef.SYSDIR = sysFolder.string();
    SystemDef.HomeDir = sysFolder.parent_path().string();
    SystemDef.LogDir = (std::filesystem::temp_directory_path() / "dataselect_demo_log").string();
    std::filesystem::create_directories(SystemDef.LogDir);
    SystemDef.GROUPID = dstest::Group;
    SystemDef.OPCODE = dstest::Group * 10000 + 20;
    SystemDef.LOGINCODE = 20;
    SystemDef.SysDbVersion = {12, 0, 0};
    AppInfo.Zaimu.DataListCnt = 120;
    DM = std::make_unique<TDM>();
    if (!DM->fnAccDefConnected("", true) || !fnGetSysDef()) {
        std::cerr << "the system database in " << sysFolder << " does not open\n";
        return 1;
    }
    int status = 0;
    {
        TDataSentakuBox box;
        box.KeepOnClose = true;
        box.SetParams({"SyoriType=3", "JyokenSet=1", "DataType=-13", "CodeType=0", "DataVerMajor=15", "FormStyle=2"});
        box.PrepareSyoriType(true);
        box.show();
        box.PerfectGrid1->setFocus();
        if (!SavePicture(box, out))
            status = 1;
    }
    DM.reset();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string out = argc > 1 ? argv[1] : "dataselect_demo.png";
    if (argc > 2) {
        try {
            return ShowInstallation(out, argv[2]);
        } catch (const std::exception& error) {
            std::cerr << error.what() << "\n";
            return 1;
        }
    }
    int status = 0;
    try {
        dbtest::TestFirebird& firebird = dbtest::TestFirebird::Get();
        {
            dstest::DataSentakuWorld world(firebird.NewWorkFolder("demo"));
            const dstest::ListRow rows[] = {{1, "A0101", "株式会社青葉商事", 1, 15},
                                            {2, "A0102", "有限会社みどり工房", 1, 15, 1},
                                            {3, "M0201", "医療法人社団さくら会", 3, 15},
                                            {4, "P0301", "山田太郎（一般）", 2, 15},
                                            {5, "A0103", "株式会社青葉商事", 1, 15, 0, 0, 1, true, 0, 6},
                                            {6, "A0104", "合同会社ひかり", 1, 14},
                                            {7, "M0202", "医療法人かえで", 3, 15, 2},
                                            {8, "A0105", "株式会社北斗建設", 1, 15, 0, 0, 2},
                                            {9, "A0106", "旧データ（更新禁止）", 1, 1, 0, 1},
                                            {10, "", "", 0, 0, 0, 0, 1, false},
                                            {11, "A0107", "株式会社東西物産", 1, 15},
                                            {12, "M0203", "医療法人つばき", 3, 15}};
            for (const dstest::ListRow& row : rows)
                world.AddRow(row);
            const std::string wizardOut = out.substr(0, out.rfind('.')) + "_wizard.png";
            const std::pair<std::string, TProcessParams> starts[] = {
                {out, {"SyoriType=0", "FormStyle=2"}},
                {wizardOut,
                 {"SyoriType=3", "JyokenSet=1", "DataType=-13", "CodeType=0", "DataVerMajor=15", "FormStyle=2"}}};
            for (const auto& [file, lines] : starts) {
                TDataSentakuBox box;
                box.KeepOnClose = true;
                box.SetParams(lines);
                box.PrepareSyoriType(true);
                box.show();
                box.PerfectGrid1->setFocus();
                box.PerfectGrid1->MoveCursor(1, 0);
                if (!SavePicture(box, file))
                    status = 1;
            }
            // The whole list after "更新": every folder with data holds real
            // company data saying what its row says; the blank area 10 got
            // data copied in by hand and the data of row 6 went away.
            for (const dstest::ListRow& row : rows)
                if (row.HasData && row.Rec != 6)
                    dstest::DataSentakuWorld::PutCompanyData(world.Folder(row.Rec),
                                                             {row.Name, row.Code, row.DataType, row.Nendo});
            dstest::DataSentakuWorld::PutCompanyData(world.Folder(10), {"株式会社南風物流", "A0110", 1, 2});
            std::filesystem::remove(world.Folder(6) + "/qhacc.fdb");
            {
                const std::string refreshOut = out.substr(0, out.rfind('.')) + "_refresh.png";
                TDataSentakuBox box;
                box.KeepOnClose = true;
                box.SetParams({"SyoriType=0", "FormStyle=2"});
                box.PrepareSyoriType(true);
                box.show();
                box.PerfectGrid1->setFocus();
                box.PerfectGrid1->MoveCursor(9, 0);
                box.DataListRefresh(-1);
                if (!SavePicture(box, refreshOut))
                    status = 1;
            }
            // The search-conditions dialog with a stored search shown.
            const std::string searchOut = out.substr(0, out.rfind('.')) + "_search.png";
            TDataListKensakuBox search;
            search.Record.DATATYPE = 3;
            search.Record.CODETYPE = 1;
            search.Record.DATACODE = "M02";
            search.Record.DATANAME = "医療";
            search.Record.SEIHINNAME = "11版";
            search.Record.JYOKENUSE = 1;
            search.SetDataListKensakuMode(1);
            search.show();
            if (!SavePicture(search, searchOut))
                status = 1;
        }
        firebird.TearDown();
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return status;
}
