#pragma once
// The push button of the screens: a panel that paints itself with a vertical
// gradient, one or two caption lines (each with its own alignment, one of
// them spreading the characters evenly), an optional picture, five frame
// styles including rounded corners, a pressed look and a focus frame. It
// keeps the standard button contract: a click gives the owning dialog its
// ModalResult, Enter clicks the focused button and Esc the Cancel button.

#include <QPixmap>
#include <QWidget>
#include <functional>

#include "controls/PlButtonMetrics.h"

enum TxPlButtonStyle { bsNormal, bsFlat, bsFlatNoFrame, bsRoundRect, bsRoundRectNoFrame };
enum TxPlBtnFrameType { bffFlat, bffEtched, bffBump };
enum TxPlBtnAlignment { taCenter, taLeft, taRight, taEven };

struct TxPlBtnCaption {
    QString Caption;
    TxPlBtnAlignment Alignment = taCenter;
    int Left = 0;
    int Right = 0;
};

struct TxPlBtnImage {
    QPixmap Picture;
    int Left = 10;
    int Top = 0;
    bool Visible = true;
    bool TransParent = false;
    bool VertCenter = true;
    bool HorzCenter = false;
};

class TxPlButton : public QWidget {
    Q_OBJECT
public:
    // The first caption line starts as the button's object name.
    explicit TxPlButton(const QString& name, QWidget* parent = nullptr);

    TxPlButtonStyle ButtonStyle() const { return style_; }
    void SetButtonStyle(TxPlButtonStyle style);
    TxPlBtnFrameType FlatFrameType() const { return frameType_; }
    void SetFlatFrameType(TxPlBtnFrameType type);
    bool Gradation() const { return gradation_; }
    void SetGradation(bool on);
    void SetGradBeginColor(const QColor& c);
    void SetGradEndColor(const QColor& c);
    QColor GradBeginColor() const { return gradBegin_; }
    QColor GradEndColor() const { return gradEnd_; }
    // Without a gradient the button is filled with its colour.
    void SetColor(const QColor& c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);

    const TxPlBtnCaption& CaptionA() const { return captionA_; }
    const TxPlBtnCaption& CaptionB() const { return captionB_; }
    void SetCaptionA(const TxPlBtnCaption& caption);
    void SetCaptionB(const TxPlBtnCaption& caption);
    int CaptionLineSpace() const { return lineSpace_; }
    void SetCaptionLineSpace(int pixels);
    int CaptionTop() const { return captionTop_; }
    void SetCaptionTop(int top);  // turns CaptionVertCenter off
    bool CaptionVertCenter() const { return vertCenter_; }
    void SetCaptionVertCenter(bool on);
    // The tops the captions were last drawn at.
    TCaptionTops DrawnCaptionTops() const { return drawnTops_; }

    const TxPlBtnImage& Image() const { return image_; }
    void SetImage(const TxPlBtnImage& image);

    bool HasFocus() const { return hasFocus_; }
    void SetHasFocus(bool on);
    int ModalResult = 0;
    bool Cancel = false;

    bool Pressed() const { return pressed_; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseEnter;
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseLeave;
    std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseDown;
    std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;

    // The click: the owning dialog's result becomes ModalResult (closing it
    // when that is not 0), then OnClick.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyShape();
    void DrawCaption(QPainter& p, const TxPlBtnCaption& caption, int top);
    void WatchWindow();

    TxPlButtonStyle style_ = bsNormal;
    TxPlBtnFrameType frameType_ = bffFlat;
    bool gradation_ = true;
    QColor gradBegin_;
    QColor gradEnd_;
    QColor color_;
    bool parentColor_ = false;
    TxPlBtnCaption captionA_;
    TxPlBtnCaption captionB_;
    int lineSpace_ = 4;
    int captionTop_ = 0;
    bool vertCenter_ = true;
    TCaptionTops drawnTops_;
    TxPlBtnImage image_;
    bool hasFocus_ = true;
    bool pressed_ = false;
    bool showPressed_ = false;
    QWidget* watchedWindow_ = nullptr;
};
