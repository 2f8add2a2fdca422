#include "dataselect/DataListAccess.h"

#include "dataselect/DataSentakuListCtl.h"

std::unique_ptr<IDataListController> TDataListAccess::CreateDataListController()
{
    return std::make_unique<TDataSentakuListCtl>();
}

void InstallDataListAccess(TDM& dm)
{
    static TDataListAccess access;
    dm.DataListAccess = &access;
}
