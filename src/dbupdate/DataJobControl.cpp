#include "dbupdate/DataJobControl.h"

#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"

#include <map>
#include <utility>
#include <vector>

namespace accupdate {

namespace {

using TPageMenus = std::map<std::int32_t, const char*>;

const std::map<std::int32_t, TPageMenus>& GeneralPages()
{
    static const std::map<std::int32_t, TPageMenus> pages{
        {0, {{0, "QvNavigore1"}, {1, "QvYojituHendoPL"}, {10, "QvHikakuSuiihyo"}, {19, "QvTusinSettei"}}},
        {1,
         {{0, "QvSimulation"},
          {1, "QvGetujiHikakuGraph"},
          {2, "QvSankiHikakuGraph"},
          {3, "QvSankiKamokuGraph"},
          {4, "QvKeieiBunseki2"},
          {5, "QvSogoHikakuPL"},
          {6, "QvYojitutaihi"},
          {7, "QvYosoku2"},
          {8, "QvGetujiHikaku"},
          {9, "QvSankiHikaku"},
          {10, "QvBumonHikakuBL"},
          {11, "QvSikinguri"},
          {12, "QvSitenHikakuBL"},
          {19, "QvZenkamoku2"}}},
        {2, {{0, "QvSiwake"}, {1, "QvMonitor"}, {2, "QvMotocho"}, {3, "QvSisanhyo"}}},
        {3,
         {{0, "QvHojinKessansyo"},
          {1, "QvCashFlow"},
          {2, "QvIkkatuPrint"},
          {3, "QvGaikyosyo"},
          {5, "QvKojinKessansyo"},
          {6, "QvGenkaSyokyaku"},
          {7, "QvTouzaChoseihyo"},
          {10, "QvTaxSinkokusyo"},
          {11, "QvTaxUtiwakesyo"},
          {12, "QvTaxSyukeihyo"},
          {13, "QvTaxSisanhyo"},
          {15, "QvTaxSinkokusyoSyusei"}}},
    };
    return pages;
}

const TPageMenus& MedicalPage3()
{
    static const TPageMenus page{{0, "QvMBKessansyo"},    {1, "QvMBKessansyoSisetsu"}, {2, "QvMBHokukuJigyo"},
                                 {3, "QvMBHokukuZaisan"}, {4, "QvMBHokukuKansa"},      {5, "QvCashFlow"},
                                 {6, "QvIkkatuPrint"},    {7, "QvGaikyosyo"},          {8, "QvGenkaSyokyaku"},
                                 {9, "QvTouzaChoseihyo"}, {10, "QvTaxSinkokusyo"},     {11, "QvTaxUtiwakesyo"},
                                 {12, "QvTaxSyukeihyo"},  {13, "QvTaxSisanhyo"},       {15, "QvTaxSinkokusyoSyusei"}};
    return page;
}

const TPageMenus& EditionPage2()
{
    static const TPageMenus page{{17, "QvKobetuIchiranhyo"}, {18, "QvKobetuMeisaihyo"}, {19, "QvKobetuMotocho"}};
    return page;
}

std::string Lookup(const TPageMenus& menus, std::int32_t menu)
{
    const auto found = menus.find(menu);
    return found == menus.end() ? std::string() : std::string(found->second);
}

std::string GeneralName(std::int32_t page, std::int32_t menu)
{
    // Page 4 holds the statement details, one program per position.
    if (page == 4) {
        if (menu >= 0 && menu <= 16) {
            const std::int32_t number = menu + 1;
            return std::string("QvUtiwake") + static_cast<char>('0' + number / 10) +
                   static_cast<char>('0' + number % 10);
        }
        return menu == 19 ? "QvUtiwakeAll" : "";
    }
    const auto pageMenus = GeneralPages().find(page);
    return pageMenus == GeneralPages().end() ? std::string() : Lookup(pageMenus->second, menu);
}

}  // namespace

TDataMenuProgram DataMenuProgram(std::int32_t dataType, std::int32_t editionFlag, std::int32_t page, std::int32_t menu)
{
    TDataMenuProgram program;
    program.ProcId = GeneralName(page, menu);
    if (page == 2 && (menu == 0 || menu == 2))
        program.Option = "SyoriType=0";
    if (dataType == 3 && page == 3)
        program.ProcId = Lookup(MedicalPage3(), menu);
    if ((editionFlag == 1 || editionFlag == 2) && page == 2 && EditionPage2().count(menu) > 0)
        program.ProcId = Lookup(EditionPage2(), menu);
    return program;
}

void ConvertDataJobControl(const TDataFixContext& context)
{
    TDM& dm = context.Dm;
    db::Query reader(dm.IBDatabaseDAT, dm.IBTransactionDAT,
                     "SELECT LEVELNO,PAGENO,MENUNO FROM JOBCONTROL\n"
                     "WHERE LEVELNO=:LEVELNO\n"
                     "ORDER BY PAGENO,MENUNO");
    db::Query writer(dm.IBDatabaseDAT, dm.IBTransactionDAT,
                     "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION)\n"
                     "VALUES(:LEVELNO,:PROC_ID,:PROC_OPTION)");
    reader.ParamByName("LEVELNO").SetInteger(context.Kind.DataType == 3 ? 1200 : 200);
    std::vector<TDataMenuProgram> programs;
    for (reader.Open(); !reader.Eof(); reader.Next()) {
        TDataMenuProgram program =
            DataMenuProgram(context.Kind.DataType, EditionFlag, reader.FieldByName("PAGENO").AsInteger(),
                            reader.FieldByName("MENUNO").AsInteger());
        if (!program.ProcId.empty())
            programs.push_back(std::move(program));
    }
    reader.Close();
    for (const TDataMenuProgram& program : programs) {
        writer.ParamByName("LEVELNO").SetInteger(200);
        writer.ParamByName("PROC_ID").SetString(program.ProcId);
        writer.ParamByName("PROC_OPTION").SetString(program.Option);
        writer.ExecSQL();
    }
    writer.Close();
}

}  // namespace accupdate
