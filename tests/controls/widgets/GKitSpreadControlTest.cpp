#include "controls/widgets/GKitSpreadControl.h"

#include <gtest/gtest.h>

namespace {

// A control with the spreadsheet's properties, as a late-bound caller sees it.
class FakeSpread : public QObject {
    Q_OBJECT
    Q_PROPERTY(short Cols MEMBER cols)
    Q_PROPERTY(double RowHeightMin MEMBER rowHeightMin)
    Q_PROPERTY(QString ColsWidth READ ColsWidth WRITE SetColsWidth)
    Q_PROPERTY(bool NoBeep MEMBER noBeep)
    Q_PROPERTY(short RowsFrozen READ RowsFrozen)

public:
    short cols = 12;
    double rowHeightMin = 0;
    bool noBeep = false;
    QString colsWidth;
    bool colsWidthNull = false;
    double celHeight = 0;
    int celIndex1 = 0;
    int celIndex2 = 0;

    QString ColsWidth() const { return colsWidth; }
    void SetColsWidth(const QString& w)
    {
        colsWidth = w;
        colsWidthNull = w.isNull();
    }
    short RowsFrozen() const { return 3; }
    Q_INVOKABLE void CelHeight(double value, short index1, short index2)
    {
        celHeight = value;
        celIndex1 = index1;
        celIndex2 = index2;
    }
};

// Another class whose properties sit at other indexes.
class OtherSpread : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Padding MEMBER padding)
    Q_PROPERTY(short Cols MEMBER cols)

public:
    int padding = 0;
    short cols = 40;
};

TEST(GKitSpreadControlTest, ReadsAndWritesPropertiesByName)
{
    FakeSpread spread;
    EXPECT_EQ(GetSpreadCols(&spread), 12);
    SetSpreadRowHeightMin(&spread, 4.5);
    EXPECT_DOUBLE_EQ(GetSpreadRowHeightMin(&spread), 4.5);
    SetSpreadNoBeep(&spread, true);
    EXPECT_TRUE(spread.noBeep);
    SetSpreadColsWidth(&spread, QStringLiteral("10,20"));
    EXPECT_EQ(GetSpreadColsWidth(&spread), QStringLiteral("10,20"));
    SetSpreadColsWidth(&spread, QString(""));
    EXPECT_TRUE(spread.colsWidthNull);  // an empty text goes as no text
    SetSpreadCelHeight(&spread, 2, 5, 18.0);
    EXPECT_DOUBLE_EQ(spread.celHeight, 18.0);
    EXPECT_EQ(spread.celIndex1, 2);
    EXPECT_EQ(spread.celIndex2, 5);

    // The index looked up for one class is not used for another.
    OtherSpread other;
    EXPECT_EQ(GetSpreadCols(&other), 40);
    EXPECT_EQ(GetSpreadCols(&spread), 12);
}

TEST(GKitSpreadControlTest, MissingOrReadOnlyPropertiesRaise)
{
    FakeSpread spread;
    EXPECT_THROW(GetSpreadWindowDividerVert(&spread), ESpreadDispatchError);
    EXPECT_THROW(SetSpreadRowsFrozen(&spread, 2), ESpreadDispatchError);
    EXPECT_THROW(SetSpreadCelHeight(nullptr, 1, 1, 1.0), ESpreadDispatchError);
    OtherSpread other;
    EXPECT_THROW(SetSpreadCelHeight(&other, 1, 1, 1.0), ESpreadDispatchError);
    EXPECT_THROW(GetSpreadCols(nullptr), ESpreadDispatchError);
}

}  // namespace

#include "GKitSpreadControlTest.moc"
