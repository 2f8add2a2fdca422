#include "controls/widgets/TxWizard.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct WizardCase {
    const char* name;
    int pages;
    int headers;        // entries in the caption lists
    const char* steps;  // N = click Next, B = click Back, V = Next vetoed by OnNextClicking
    int page;
    bool finishCaption;
    bool backVisible;
    int nextClicks;
    bool lastFinal;
    int backClicks;
    const char* header;  // the header label's text afterwards
};

void PrintTo(const WizardCase& c, std::ostream* os)
{
    *os << c.name;
}

class TxWizardSteps : public ::testing::TestWithParam<WizardCase> {};

TEST_P(TxWizardSteps, FollowsTheSteps)
{
    const WizardCase& c = GetParam();
    QWidget form;
    auto* wizard = new TxWizard(&form);
    for (int i = 0; i < c.pages; ++i)
        wizard->addWidget(new QWidget);
    QStringList headers;
    QStringList infos;
    for (int i = 0; i < c.headers; ++i) {
        headers << QStringLiteral("H%1").arg(i);
        infos << QStringLiteral("I%1").arg(i);
    }
    wizard->SetHeaderCaption(headers);
    wizard->SetInfoCaption(infos);
    auto* header = new QLabel(QStringLiteral("start"), &form);
    auto* info = new QLabel(QStringLiteral("start"), &form);
    auto* next = new QPushButton(&form);
    auto* back = new QPushButton(&form);
    wizard->SetLblHeader(header);
    wizard->SetLblInfo(info);
    wizard->SetNextButton(next);
    wizard->SetBackButton(back);
    form.show();
    EXPECT_FALSE(back->isVisible());
    EXPECT_EQ(back->text(), QStringLiteral("< 戻る(&B)"));
    EXPECT_EQ(next->text(), c.pages == 1 ? QStringLiteral("完了(&F)") : QStringLiteral("次へ(&N) >"));

    int nextClicks = 0;
    int backClicks = 0;
    bool lastFinal = false;
    bool veto = false;
    wizard->OnNextClicking = [&](QObject* sender, bool finalState, bool& allowChange) {
        EXPECT_EQ(sender, next);
        EXPECT_FALSE(finalState);  // also on the last page
        allowChange = !veto;
    };
    wizard->OnNextClick = [&](QObject* sender, bool finalState) {
        EXPECT_EQ(sender, next);
        ++nextClicks;
        lastFinal = finalState;
    };
    wizard->OnBackClick = [&](QObject* sender) {
        EXPECT_EQ(sender, back);
        ++backClicks;
    };
    for (const char* s = c.steps; *s; ++s) {
        veto = *s == 'V';
        QTest::mouseClick(*s == 'B' ? back : next, Qt::LeftButton);
    }
    EXPECT_EQ(wizard->currentIndex(), c.page);
    EXPECT_EQ(next->text(), c.finishCaption ? QStringLiteral("完了(&F)") : QStringLiteral("次へ(&N) >"));
    EXPECT_EQ(back->isVisible(), c.backVisible);
    EXPECT_EQ(nextClicks, c.nextClicks);
    EXPECT_EQ(lastFinal, c.lastFinal);
    EXPECT_EQ(backClicks, c.backClicks);
    EXPECT_EQ(header->text().toStdString(), c.header);
    const std::string expectedInfo = std::string(c.header) == "start" ? "start" : "I" + std::string(c.header).substr(1);
    EXPECT_EQ(info->text().toStdString(), expectedInfo);
}

// Only a Back button that is shown can be clicked, so Back steps follow
// Next steps.
INSTANTIATE_TEST_SUITE_P(
    Sequences, TxWizardSteps,
    ::testing::Values(WizardCase{"OnePageNextIsFinal", 1, 1, "N", 0, true, false, 1, true, 0, "H0"},
                      WizardCase{"TwoPagesNextThenFinal", 2, 2, "NN", 1, true, true, 2, true, 0, "H1"},
                      WizardCase{"TwoPagesNextBack", 2, 2, "NB", 0, false, false, 1, false, 1, "H0"},
                      WizardCase{"FourPagesToTheLast", 4, 4, "NNN", 3, true, true, 3, false, 0, "H3"},
                      WizardCase{"FourPagesFinalOnTheLast", 4, 4, "NNNN", 3, true, true, 4, true, 0, "H3"},
                      WizardCase{"FourPagesBackOneFromTheLast", 4, 4, "NNNB", 2, false, true, 3, false, 1, "H2"},
                      WizardCase{"VetoMovesNothing", 4, 4, "NV", 1, false, true, 1, false, 0, "H1"},
                      WizardCase{"VetoOnTheLastPage", 2, 2, "NV", 1, true, true, 1, false, 0, "H1"},
                      WizardCase{"ShortListsLeaveTheLabels", 4, 2, "NNN", 3, true, true, 3, false, 0, "H1"},
                      WizardCase{"ShortListsBackwards", 4, 2, "NNNBB", 1, false, true, 3, false, 2, "H1"},
                      WizardCase{"ShortListsBackToAnEntry", 4, 2, "NNNBBB", 0, false, false, 3, false, 3, "H0"},
                      WizardCase{"NoListsAtAll", 4, 0, "NN", 2, false, true, 2, false, 0, "start"}),
    [](const ::testing::TestParamInfo<WizardCase>& info) { return std::string(info.param.name); });

TEST(TxWizardTest, BackOnOnePageOnlyHidesTheButton)
{
    TxWizard wizard;
    wizard.addWidget(new QWidget);
    QPushButton back;
    wizard.SetBackButton(&back);
    back.setVisible(true);
    int backClicks = 0;
    wizard.OnBackClick = [&](QObject*) { ++backClicks; };
    wizard.BackClick(&back);
    EXPECT_FALSE(back.isVisible());
    EXPECT_EQ(wizard.currentIndex(), 0);
    EXPECT_EQ(backClicks, 1);
}

}  // namespace
