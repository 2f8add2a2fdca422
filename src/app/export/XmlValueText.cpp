#include "app/export/XmlValueText.h"

std::string ZandakaText(Currency balance)
{
    return FormatCurr("#", balance);
}

std::string NendoDateText(TDateTime date)
{
    return FormatDateTime("yyyymmdd", date);
}
