#include "foundation/screens/LogonWidgets.h"

#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"

#include <QLabel>
#include <QStyle>
#include <QWidget>

THeaderPanel MakeHeaderPanel(QWidget* form, int height)
{
    THeaderPanel header;
    header.Panel = new QWidget(form);
    header.Panel->setObjectName(QStringLiteral("pnlHeader"));
    header.Panel->setAutoFillBackground(true);
    QPalette palette = header.Panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    header.Panel->setPalette(palette);
    header.Panel->setGeometry(0, 0, form->width(), height);
    header.Picture = new QLabel(header.Panel);
    header.Picture->setObjectName(QStringLiteral("Image1"));
    const int size = 32;
    header.Picture->setGeometry(12, (height - size) / 2, size, size);
    header.Picture->setPixmap(form->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    return header;
}

QLabel* MakeHeaderLabel(const THeaderPanel& header, const QString& name, int left, int top)
{
    auto* label = new QLabel(header.Panel);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(left, top, header.Panel->width() - left - 8, 18);
    return label;
}

TxPlButton* MakeDialogButton(const QString& name, const QString& caption, int modalResult, QWidget* parent)
{
    auto* button = new TxPlButton(name, parent);
    TxPlBtnCaption text = button->CaptionA();
    text.Caption = caption;
    button->SetCaptionA(text);
    button->ModalResult = modalResult;
    return button;
}

TxEdit* MakeEdit(const QString& name, QWidget* parent, int left, int top, int width, const QString& hint)
{
    auto* edit = new TxEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(left, top, width, 22);
    if (!hint.isEmpty())
        edit->setToolTip(hint);
    return edit;
}

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void FilterKey(QChar& key, bool (*keep)(QChar))
{
    // Control characters are editing keys and shortcuts, not text.
    if (key.unicode() < 0x20 || key.unicode() == 0x7f || keep(key))
        return;
    key = QChar(0);
}

bool IsDigitKey(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsDigitOrLetterKey(QChar c)
{
    return IsDigitKey(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}
