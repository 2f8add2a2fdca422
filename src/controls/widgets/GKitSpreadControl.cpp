#include "controls/widgets/GKitSpreadControl.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QVariant>
#include <map>
#include <utility>

namespace {

// Property indexes by class and name. An index belongs to its class, so a
// second control class must not reuse the first one's: the key holds both.
int PropertyIndex(QObject* control, const char* name)
{
    if (!control)
        throw ESpreadDispatchError(std::string("no control for property ") + name);
    static std::map<std::pair<const QMetaObject*, std::string>, int> cache;
    const QMetaObject* meta = control->metaObject();
    const auto key = std::make_pair(meta, std::string(name));
    auto found = cache.find(key);
    if (found == cache.end()) {
        const int index = meta->indexOfProperty(name);
        if (index < 0)
            throw ESpreadDispatchError(std::string("unknown property ") + name);
        found = cache.emplace(key, index).first;
    }
    return found->second;
}

QVariant Read(QObject* control, const char* name)
{
    const QMetaProperty property =
        control ? control->metaObject()->property(PropertyIndex(control, name)) : QMetaProperty();
    if (!property.isReadable())
        throw ESpreadDispatchError(std::string("property not readable: ") + name);
    return property.read(control);
}

void Write(QObject* control, const char* name, const QVariant& value)
{
    const QMetaProperty property = control->metaObject()->property(PropertyIndex(control, name));
    if (!property.isWritable() || !property.write(control, value))
        throw ESpreadDispatchError(std::string("property not written: ") + name);
}

std::int16_t ReadShort(QObject* control, const char* name)
{
    return static_cast<std::int16_t>(Read(control, name).toInt());
}

}  // namespace

std::int16_t GetSpreadCols(QObject* control)
{
    return ReadShort(control, "Cols");
}
std::int16_t GetSpreadWindowDividerVert(QObject* control)
{
    return ReadShort(control, "WindowDividerVert");
}
std::int16_t GetSpreadWindowDividerHorz(QObject* control)
{
    return ReadShort(control, "WindowDividerHorz");
}
QString GetSpreadRowSep(QObject* control)
{
    return Read(control, "RowSep").toString();
}
double GetSpreadRowHeightMin(QObject* control)
{
    return Read(control, "RowHeightMin").toDouble();
}
void SetSpreadRowHeightMin(QObject* control, double value)
{
    Write(control, "RowHeightMin", value);
}
double GetSpreadColWidthMin(QObject* control)
{
    return Read(control, "ColWidthMin").toDouble();
}
void SetSpreadColWidthMin(QObject* control, double value)
{
    Write(control, "ColWidthMin", value);
}
void SetSpreadRedraw(QObject* control, bool on)
{
    Write(control, "Redraw", on);
}
std::int16_t GetSpreadRowsFrozen(QObject* control)
{
    return ReadShort(control, "RowsFrozen");
}
void SetSpreadRowsFrozen(QObject* control, std::int16_t rows)
{
    Write(control, "RowsFrozen", rows);
}
QString GetSpreadRowsHeight(QObject* control)
{
    return Read(control, "RowsHeight").toString();
}
QString GetSpreadColsWidth(QObject* control)
{
    return Read(control, "ColsWidth").toString();
}

void SetSpreadColsWidth(QObject* control, const QString& widths)
{
    Write(control, "ColsWidth", widths.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(widths));
}

void SetSpreadCelHeight(QObject* control, std::int16_t index1, std::int16_t index2, double value)
{
    if (!control || !QMetaObject::invokeMethod(control, "CelHeight", Qt::DirectConnection, Q_ARG(double, value),
                                               Q_ARG(short, index1), Q_ARG(short, index2)))
        throw ESpreadDispatchError("CelHeight could not be set");
}

void SetSpreadNoBeep(QObject* control, bool on)
{
    Write(control, "NoBeep", on);
}
