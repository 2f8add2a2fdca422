// The data-selection screen of the client/server mode saved as PNGs: the
// list of a named data place with one data set locked, and the places
// dialog over it. The list is read through the local engine; the pictures
// need no server.
#include "dataselect/screens/DataSentakuWorld.h"
#include "controls/widgets/TPerfectGrid.h"
#include "dataselect/DataPlaces.h"
#include "dataselect/screens/TDataPlaceBox.h"
#include "dataselect/screens/TDataSentakuBox.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>

#include <iostream>

namespace {

bool Save(QWidget& widget, const std::string& file)
{
    QApplication::processEvents();
    const bool saved = widget.grab().save(QString::fromStdString(file));
    std::cout << (saved ? "" : "cannot write ") << file << "\n";
    return saved;
}

void Exec(const std::string& sql)
{
    db::Transaction tr(DM->IBDatabaseDEF);
    tr.Start();
    db::Query(DM->IBDatabaseDEF, tr, sql).ExecSQL();
    tr.Commit();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string out = argc > 1 ? argv[1] : "dataselect_places_demo.png";
    int status = 0;
    try {
        dbtest::TestFirebird& firebird = dbtest::TestFirebird::Get();
        {
            dstest::DataSentakuWorld world(firebird.NewWorkFolder("places"));
            SystemDef.SYSDIR = "/srv/ledrixzaimu/data";
            ConnectionMode = 1;
            Exec("DELETE FROM DATAPLACEMAN");
            TDataPlaceStore places;
            places.LoadPlaces(false);
            const std::pair<int, const char*> named[] = {{3, "大阪支店"}, {7, "決算済み（令和5年度）"}};
            for (const auto& [rec, name] : named) {
                TDataPlaceRec& place = places.List.at(static_cast<std::size_t>(places.IndexOfDataPlaceRec(rec)));
                place.NAME = name;
                place.State = TDataPlaceStore::StateNamed;
            }
            places.SaveChanges();
            const char* names[] = {"株式会社青葉商事", "有限会社みどり工房", "医療法人社団さくら会", "合同会社ひかり"};
            for (int rec = 1; rec <= 4; ++rec)
                Exec("UPDATE DATALIST_EX SET ENTTEXT='" + std::string(names[rec - 1]) + "',SHOUGOU='" + names[rec - 1] +
                     "',DATATYPE=1,NENDO=3,KISHU='2024/04/01',KIMATU='2025/03/31',VER_MAJOR=15,VER_TEXT='15版',"
                     "DATACODE='B0" +
                     std::to_string(rec) + "',DATALOCK=" + (rec == 2 ? "1" : "0") +
                     " WHERE DATAPLACEREC=3 AND REC=" + std::to_string(rec));
            SystemDef.DataPlaceNo = 3;

            TDataSentakuBox box;
            box.KeepOnClose = true;
            box.SetParams({"SyoriType=0", "FormStyle=2"});
            box.PrepareSyoriType(true);
            box.show();
            box.PerfectGrid1->setFocus();
            box.PerfectGrid1->MoveCursor(1, 0);
            if (!Save(box, out))
                status = 1;

            box.DataPlaceBox->SetDataPlaceMode(1);
            box.DataPlaceBox->show();
            box.DataPlaceBox->PerfectGrid1->setFocus();
            if (!Save(*box.DataPlaceBox, out.substr(0, out.rfind('.')) + "_dialog.png"))
                status = 1;
        }
        firebird.TearDown();
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return status;
}
