#include "print/FontNameLists.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

#include <stdexcept>

namespace fol {
namespace {

FontNameLists& Lists()
{
    static FontNameLists lists;
    return lists;
}

bool SameFace(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

std::vector<std::string> Faces(QFontDatabase::WritingSystem system)
{
    std::vector<std::string> list;
    for (const QString& family : QFontDatabase::families(system))
        AddFaceOnce(list, family.toStdString());
    return list;
}

}  // namespace

void AddFaceOnce(std::vector<std::string>& list, const std::string& face)
{
    if (list.empty() || !SameFace(list.back(), face))
        list.push_back(face);
}

bool FaceListed(const std::vector<std::string>& list, const std::string& face)
{
    for (const std::string& listed : list)
        if (SameFace(listed, face))
            return true;
    return false;
}

void FillFontNameLists()
{
    if (!QGuiApplication::instance())
        throw std::runtime_error("no font database without the application object");
    FontNameLists lists;
    lists.ShiftJis = Faces(QFontDatabase::Japanese);
    lists.Symbol = Faces(QFontDatabase::Symbol);
    lists.All = Faces(QFontDatabase::Any);
    Lists() = std::move(lists);
}

void ClearFontNameLists()
{
    Lists() = FontNameLists{};
}

const FontNameLists& FontNames()
{
    return Lists();
}

}  // namespace fol
