#include "controls/dialogs/TMessageBox2.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "controls/widgets/TxCheckBox.h"
#include "foundation/EdgeGuard.h"

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int IconSize = 41;
const QColor LinkColor{0, 0, 255};
const QColor VisitedLinkColor{128, 0, 128};
const char* const LinkProperty = "messageLink";

QColor FromProgramColor(std::uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF));
}

void Paint(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QStyle::StandardPixmap IconOf(std::uint8_t type)
{
    switch (type) {
    case 0:
        return QStyle::SP_MessageBoxWarning;
    case 1:
        return QStyle::SP_MessageBoxCritical;
    case 2:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

}  // namespace

TMessageBox2::TMessageBox2(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("MessageBox2"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFont(QApplication::font("QMessageBox"));

    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    Image1 = new QLabel(pnlClient);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(24, 16, IconSize, IconSize);
    Image1->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < Message2LineCount; ++i) {
        auto* label = new QLabel(pnlClient);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->move(Message2LabelLeft, Message2LabelStep * (i + 1));
        label->installEventFilter(this);
        Labels[static_cast<std::size_t>(i)] = label;
    }

    pnlAgree = new QWidget(this);
    pnlAgree->setObjectName(QStringLiteral("pnlAgree"));
    btnAgree = new TxCheckBox(pnlAgree);
    btnAgree->setObjectName(QStringLiteral("btnAgree"));
    btnAgree->move(Message2LabelLeft, 5);
    connect(btnAgree, &QCheckBox::clicked, this, [this] { ApplyAgree(); });

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        auto* button = new QPushButton(pnlBottom);
        button->setObjectName(QStringLiteral("btnButton%1").arg(i + 1));
        connect(button, &QPushButton::clicked, this, [this, i] {
            // The help button's result is 0: the box stays open.
            if (results_[i] != 0)
                done(results_[i]);
        });
        Buttons[i] = button;
    }
    SetupMessage(TMessage2InfoRec{});
}

void TMessageBox2::SetupMessage(const TMessage2InfoRec& info)
{
    info_ = ResolveMessage2Info(info);
    setWindowTitle(QString::fromStdString(info_.Caption));
    const int iconPixels = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    Image1->setPixmap(info_.MessageType <= 3
                          ? style()->standardIcon(IconOf(info_.MessageType), nullptr, this).pixmap(iconPixels)
                          : QPixmap());

    int needed = Message2DesignWidth;
    int lowest = 0;
    for (std::size_t i = 0; i < Labels.size(); ++i) {
        QLabel* label = Labels[i];
        const TMessage2CaptionRec& line = info_.Lines[i];
        QFont font = label->font();
        font.setUnderline(!line.Link.empty());
        label->setFont(font);
        label->setText(QString::fromStdString(line.Text));
        label->setProperty(LinkProperty, QString::fromStdString(line.Link));
        label->setCursor(line.Link.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
        Paint(label, line.Link.empty() ? FromProgramColor(line.Color) : LinkColor);
        label->adjustSize();
        needed = std::max(needed, label->x() + label->width());
        if (!line.Text.empty())
            lowest = std::max(lowest, label->y() + label->height());
    }
    const int width = needed + 30;
    // A line longer than one row (a message the presenter folded into the
    // last label) still shows whole.
    const int textHeight = std::max(Message2TextAreaHeight(info_), lowest + 8);
    const bool agree = Message2AgreeShown(info_);
    const int agreeHeight = agree ? Message2AgreePanelHeight : 0;
    pnlClient->setGeometry(0, 0, width, textHeight);
    pnlAgree->setGeometry(0, textHeight, width, Message2AgreePanelHeight);
    pnlAgree->setVisible(agree);
    pnlBottom->setGeometry(0, textHeight + agreeHeight, width, Message2BottomPanelHeight);
    setFixedSize(width, textHeight + agreeHeight + Message2BottomPanelHeight);

    for (auto* button : Buttons)
        button->hide();
    const std::vector<int> bits = Message2ShownButtons(info_.Buttons);
    std::vector<int> widths;
    for (std::size_t i = 0; i < bits.size(); ++i) {
        const TMessage2ButtonDef& def = Message2ButtonDef(bits[i]);
        QPushButton* button = Buttons[i];
        results_[i] = def.Result;
        int buttonWidth = ButtonWidth;
        if (!info_.ButtonCaptions[i].empty()) {
            const QString caption = QString::fromStdString(info_.ButtonCaptions[i]);
            button->setText(caption);
            const int textWidth = button->fontMetrics().horizontalAdvance(QString(caption).remove(QLatin1Char('&')));
            buttonWidth = std::max(buttonWidth, static_cast<int>(std::trunc(textWidth * 1.3)));
        } else {
            button->setText(QString::fromUtf8(def.Caption));
        }
        button->resize(buttonWidth, ButtonHeight);
        button->setEnabled(true);
        button->show();
        widths.push_back(buttonWidth);
    }
    const std::vector<int> lefts = Message2ButtonLefts(width, widths, Message2ButtonGap);
    for (std::size_t i = 0; i < lefts.size(); ++i)
        Buttons[i]->move(lefts[i], (Message2BottomPanelHeight - ButtonHeight) / 2);

    if (!agree)
        info_.AgreeMode = 0;
    btnAgree->setText(QString::fromStdString(info_.AgreeText));
    btnAgree->adjustSize();
    btnAgree->setChecked(info_.AgreeState);
    ApplyAgree();
}

TMessage2InfoRec TMessageBox2::ShownInfo() const
{
    TMessage2InfoRec shown = info_;
    shown.AgreeState = btnAgree->isChecked();
    return shown;
}

void TMessageBox2::ApplyAgree()
{
    if (info_.AgreeMode == 1 && !Message2ShownButtons(info_.Buttons).empty())
        Buttons[0]->setEnabled(btnAgree->isChecked());
}

void TMessageBox2::reject()
{
    done(2);
}

void TMessageBox2::keyPressEvent(QKeyEvent* event)
{
    // The numeric-keypad 3 arrives with the key code of "c" on the system
    // this box comes from; both copy.
    const bool copyKey =
        event->key() == Qt::Key_C || (event->key() == Qt::Key_3 && event->modifiers() & Qt::KeypadModifier);
    if (copyKey && event->modifiers() & Qt::ControlModifier) {
        QApplication::clipboard()->setText(QString::fromStdString(Message2ClipboardText(info_)));
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageBox2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (info_.AgreeMode == 1) {
        btnAgree->setFocus();
        return;
    }
    const auto index = static_cast<std::size_t>(info_.DefaultButton);
    if (info_.DefaultButton >= 0 && index < Buttons.size() && Buttons[index]->isVisibleTo(this) &&
        Buttons[index]->isEnabled()) {
        Buttons[index]->setDefault(true);
        Buttons[index]->setFocus();
    }
}

bool TMessageBox2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const QString link = label ? label->property(LinkProperty).toString() : QString();
        if (!link.isEmpty() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            RunAtEdge([&] {
                QDesktopServices::openUrl(QUrl(link));
                Paint(label, VisitedLinkColor);
            });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int ShowMessageBox2(TMessage2InfoRec& info)
{
    TMessageBox2 box(QApplication::activeWindow());
    box.SetupMessage(info);
    const int result = box.exec();
    info.AgreeState = box.ShownInfo().AgreeState;
    return result;
}
