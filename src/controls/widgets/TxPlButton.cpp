#include "controls/widgets/TxPlButton.h"

#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include "controls/widgets/VclColors.h"

namespace {
TRgb ToRgb(const QColor& c)
{
    return {c.red(), c.green(), c.blue()};
}
}  // namespace

TxPlButton::TxPlButton(const QString& name, QWidget* parent)
    : QWidget(parent), gradBegin_(vcl::clWhite), gradEnd_(vcl::clSilver), color_(vcl::clBtnFace())
{
    setObjectName(name);
    captionA_.Caption = name;
    resize(75, 26);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void TxPlButton::SetButtonStyle(TxPlButtonStyle style)
{
    style_ = style;
    ApplyShape();
    update();
}

void TxPlButton::SetFlatFrameType(TxPlBtnFrameType type)
{
    frameType_ = type;
    update();
}

void TxPlButton::SetGradation(bool on)
{
    gradation_ = on;
    if (on)
        parentColor_ = false;
    update();
}

void TxPlButton::SetGradBeginColor(const QColor& c)
{
    gradBegin_ = c;
    update();
}

void TxPlButton::SetGradEndColor(const QColor& c)
{
    gradEnd_ = c;
    update();
}

void TxPlButton::SetColor(const QColor& c)
{
    color_ = c;
    parentColor_ = false;
    update();
}

void TxPlButton::SetParentColor(bool on)
{
    parentColor_ = on;
    update();
}

void TxPlButton::SetCaptionA(const TxPlBtnCaption& caption)
{
    captionA_ = caption;
    update();
}

void TxPlButton::SetCaptionB(const TxPlBtnCaption& caption)
{
    captionB_ = caption;
    update();
}

void TxPlButton::SetCaptionLineSpace(int pixels)
{
    lineSpace_ = pixels;
    update();
}

void TxPlButton::SetCaptionTop(int top)
{
    captionTop_ = top;
    vertCenter_ = false;
    update();
}

void TxPlButton::SetCaptionVertCenter(bool on)
{
    vertCenter_ = on;
    update();
}

void TxPlButton::SetImage(const TxPlBtnImage& image)
{
    image_ = image;
    update();
}

void TxPlButton::SetHasFocus(bool on)
{
    hasFocus_ = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

void TxPlButton::Click()
{
    pressed_ = showPressed_ = false;
    if (auto* dialog = qobject_cast<QDialog*>(window())) {
        if (ModalResult != 0)
            dialog->done(ModalResult);
        else
            dialog->setResult(0);
    }
    if (OnClick)
        OnClick(this);
    update();
}

void TxPlButton::ApplyShape()
{
    if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) {
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), 5, 5);
        setMask(QRegion(path.toFillPolygon().toPolygon()));
    } else {
        clearMask();
    }
}

void TxPlButton::DrawCaption(QPainter& p, const TxPlBtnCaption& caption, int top)
{
    if (caption.Caption.isEmpty())
        return;
    const QFontMetrics fm(font());
    const int shift = showPressed_ && hasFocus_ ? 1 : 0;
    const auto draw = [&](int x, const QString& text) {
        const auto drawAt = [&](int dx, int dy, const QColor& colour) {
            p.setPen(colour);
            p.drawText(x + dx, top + dy + fm.ascent(), text);
        };
        if (!isEnabled() && hasFocus_) {
            drawAt(1, 1, vcl::clBtnHighlight());
            drawAt(0, 0, vcl::clBtnShadow());
        } else {
            drawAt(shift, shift, isEnabled() ? palette().color(QPalette::ButtonText) : vcl::clGrayText);
        }
    };
    TxPlBtnAlignment alignment = caption.Alignment;
    if (alignment == taEven && caption.Caption.length() == 1)
        alignment = taCenter;
    const int textWidth = fm.horizontalAdvance(caption.Caption);
    switch (alignment) {
    case taCenter:
        draw((width() - textWidth) / 2, caption.Caption);
        break;
    case taLeft:
        draw(caption.Left + 2, caption.Caption);
        break;
    case taRight:
        draw(width() - caption.Right - 2 - textWidth, caption.Caption);
        break;
    case taEven: {
        std::vector<int> widths;
        std::vector<QString> chars;
        for (int i = 0; i < caption.Caption.length(); ++i) {
            // A surrogate pair is one character, drawn whole.
            const int len = caption.Caption.at(i).isHighSurrogate() && i + 1 < caption.Caption.length() ? 2 : 1;
            chars.push_back(caption.Caption.mid(i, len));
            widths.push_back(fm.horizontalAdvance(chars.back()));
            i += len - 1;
        }
        const std::vector<int> lefts = EvenPositions(widths, caption.Left + 2, width() - caption.Right - 2);
        for (std::size_t i = 0; i < chars.size(); ++i)
            draw(lefts[i], chars[i]);
        break;
    }
    }
}

void TxPlButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    // 1. Background.
    if (gradation_) {
        for (int y = 0; y < h; ++y) {
            const TRgb c = GradientRow(ToRgb(gradBegin_), ToRgb(gradEnd_), y, h);
            p.setPen(QColor(c.R, c.G, c.B));
            p.drawLine(0, y, w - 1, y);
        }
    } else {
        const QColor fill =
            parentColor_ && parentWidget() != nullptr ? parentWidget()->palette().color(QPalette::Window) : color_;
        p.fillRect(rect(), fill);
    }
    // 2. Picture.
    if (image_.Visible && !image_.Picture.isNull()) {
        if (image_.VertCenter)
            image_.Top = (h - image_.Picture.height()) / 2;
        if (image_.HorzCenter)
            image_.Left = (w - image_.Picture.width()) / 2;
        QPixmap picture = image_.Picture;
        if (image_.TransParent) {
            const QImage img = picture.toImage();
            const QColor key = img.pixelColor(0, img.height() - 1);
            picture.setMask(QBitmap::fromImage(img.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
            p.drawPixmap(image_.Left, image_.Top, picture);
        } else {
            const int shift = showPressed_ ? 1 : 0;
            if (!isEnabled() && hasFocus_) {
                QStyleOption option;
                option.initFrom(this);
                picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
            }
            p.drawPixmap(image_.Left + shift, image_.Top + shift, picture);
        }
    }
    // 3, 4. Captions.
    p.setFont(font());
    const QFontMetrics fm(font());
    const TCaptionTops tops = CaptionTops(vertCenter_, captionTop_, h, fm.height(), !captionA_.Caption.isEmpty(),
                                          fm.height(), !captionB_.Caption.isEmpty(), lineSpace_);
    if (vertCenter_)
        captionTop_ = captionA_.Caption.isEmpty() ? tops.Second : tops.First;
    drawnTops_ = tops;
    DrawCaption(p, captionA_, tops.First);
    DrawCaption(p, captionB_, tops.Second);
    // 5. Frame.
    const QRect r = rect();
    switch (style_) {
    case bsNormal:
        if (showPressed_) {
            qDrawPlainRect(&p, r, vcl::clBtnShadow(), 1);
            qDrawPlainRect(&p, r.adjusted(1, 1, -1, -1), vcl::clGray, 1);
        } else {
            qDrawWinButton(&p, r, palette(), false);
        }
        break;
    case bsFlat:
        if (frameType_ == bffFlat)
            qDrawPlainRect(&p, r, vcl::clBtnShadow(), 1);
        else
            qDrawShadeRect(&p, r, palette(), frameType_ == bffEtched, 1, 0);
        break;
    case bsRoundRect:
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(117, 117, 117), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), 5, 5);
        break;
    case bsFlatNoFrame:
    case bsRoundRectNoFrame:
        break;
    }
    // 6. Focus frame.
    if (hasFocus_ && hasFocus()) {
        if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) {
            p.setPen(QPen(QColor(32, 32, 32), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRect(2, 2, w - 4, h - 4), 4, 4);
        } else {
            QRect focus = r.adjusted(3, 3, -3, -3);
            if (style_ == bsFlat && frameType_ == bffBump)
                focus.adjust(0, 0, 1, 1);
            if (style_ == bsFlat && frameType_ == bffEtched)
                focus.adjust(0, 0, -1, -1);
            // The dotted focus rectangle, drawn whatever the style thinks of
            // showing focus only after keyboard moves.
            p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(focus.adjusted(0, 0, -1, -1));
        }
    }
}

void TxPlButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        if (hasFocus_)
            setFocus(Qt::MouseFocusReason);
        pressed_ = showPressed_ = true;
        update();
    }
    const QPoint pos = e->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, e->button(), e->modifiers(), pos.x(), pos.y());
}

void TxPlButton::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        const bool click = pressed_ && rect().contains(pos);
        pressed_ = showPressed_ = false;
        update();
        if (OnMouseUp)
            OnMouseUp(this, e->button(), e->modifiers(), pos.x(), pos.y());
        if (click)
            Click();
        return;
    }
    if (OnMouseUp)
        OnMouseUp(this, e->button(), e->modifiers(), pos.x(), pos.y());
}

void TxPlButton::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier && hasFocus_) {
            Click();
        } else {
            // Enter with a modifier reaches the button's own handling: the
            // click event without the dialog's result.
            showPressed_ = true;
            update();
            if (OnClick)
                OnClick(this);
        }
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TxPlButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        showPressed_ = false;
        update();
    }
    QWidget::keyReleaseEvent(e);
}

void TxPlButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    const QPoint pos = e->position().toPoint();
    if (OnMouseEnter)
        OnMouseEnter(this, Qt::NoModifier, pos.x(), pos.y());
    if (pressed_) {
        showPressed_ = true;
        update();
    }
}

void TxPlButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    const QPoint pos = mapFromGlobal(QCursor::pos());
    if (OnMouseLeave)
        OnMouseLeave(this, Qt::NoModifier, pos.x(), pos.y());
    showPressed_ = false;
    update();
}

void TxPlButton::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    ApplyShape();
}

void TxPlButton::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    if (hasFocus_)
        update();
}

void TxPlButton::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    if (hasFocus_)
        update();
}

void TxPlButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
    if (e->type() == QEvent::PaletteChange && parentColor_)
        update();
}

bool TxPlButton::event(QEvent* e)
{
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::Show)
        WatchWindow();
    return QWidget::event(e);
}

void TxPlButton::WatchWindow()
{
    QWidget* w = window();
    if (w == watchedWindow_ || w == this)
        return;
    if (watchedWindow_ != nullptr)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = w;
    watchedWindow_->installEventFilter(this);
}

bool TxPlButton::eventFilter(QObject* watched, QEvent* e)
{
    // Esc that no control of the window took clicks the Cancel button.
    if (watched == watchedWindow_ && e->type() == QEvent::KeyPress && Cancel && hasFocus_ && isEnabled() &&
        isVisible()) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Escape && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}
