#pragma once
// The preview window: shows a print file page by page, the form page under
// the data page, on a white paper panel with the printable area marked, at
// a zoom from 50 % to 200 %. From here the operator prints the document or
// the current page, sets up the printer, moves the margins and, when the
// caller asks, steps to the previous or next report.
//
// The close code tells the caller how the window ended: -1 "前の帳票",
// 1 "次の帳票" (or closed another way while the report buttons are hidden),
// 0 otherwise.
//
// Painting never shows a message: a missing file found while painting is
// reported once, after the paint, from the event loop.

#include "print/FolDef.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QScrollArea;
class QToolButton;
class Tfmyohaku;

namespace fol {
class PageInterpreter;
}

class TImageDispForm;

// The printable area: paints the page through its form.
class TPreviewPaintBox final : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPaintBox(TImageDispForm* form);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TImageDispForm* form_;
};

class TImageDispForm final : public QDialog {
    Q_OBJECT
public:
    static constexpr int MinZoom = 5;
    static constexpr int MaxZoom = 20;
    static constexpr int PanelTop = 15;

    explicit TImageDispForm(fol::TFOLDEF& record, QWidget* parent = nullptr);
    ~TImageDispForm() override;

    int CloseCode() const { return closeCode_; }
    int Zoom() const { return zoom_; }
    int CurrentPage() const { return current_; }
    int PageCount() const { return total_; }

    // The page-jump input box; tests answer it. Returns the text entered,
    // nothing when cancelled.
    std::function<std::optional<QString>()> AskPageNumber;
    // The printer set-up dialog; tests replace it.
    std::function<void()> PrinterSetup;

    // Tool bar, left to right.
    QToolButton* BtnClose;
    QToolButton* BtnPrint;
    QToolButton* BtnPrinterSetup;
    QToolButton* BtnMargin;
    QToolButton* BtnFit;
    QToolButton* Btn100;
    QToolButton* BtnZoomIn;
    QToolButton* BtnZoomOut;
    QLabel* PnlZoom;
    QToolButton* BtnPgJump;
    QToolButton* BtnFirst;
    QToolButton* BtnPrev;
    QToolButton* BtnNext;
    QToolButton* BtnLast;
    QToolButton* BtnCurrentPage;
    QLabel* PnlPage;
    QToolButton* BtnPrevReport;
    QToolButton* BtnNextReport;
    QToolButton* BtnSave;
    QToolButton* BtnOpen;
    QToolButton* BtnCancelOpen;
    QScrollArea* ScrollBox;
    QWidget* PaperPanel;
    TPreviewPaintBox* ImageBox;

    // Handlers.
    void FormActivate();
    void FormResize();
    void ImageBoxPaint(QPainter& painter);
    void SetZoom(int zoom);
    void FitClick();
    void GoToPage(int page);
    void PgJumpClick();
    void PrintClick();
    void PrinterSetupClick();
    void CurrentPagePrintClick();
    void MarginClick();
    void CloseWith(int code);

    // Panning by the mouse.
    void BeginDrag(const QPoint& global);
    void Drag(const QPoint& global);
    void EndDrag();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildToolBar();
    void PlaceToolBar();
    int FittingZoom() const;
    void ApplyPageOrientation();
    void ShowPageNumber();
    void ReportMissingLater(const QString& text);

    fol::TFOLDEF& record_;
    std::unique_ptr<fol::PageInterpreter> interp_;
    Tfmyohaku* margins_ = nullptr;
    std::vector<int> orientations_;
    int closeCode_ = 0;
    int zoom_ = 10;
    int current_ = 1;
    int total_ = 1;
    int numbering_ = 1;
    double vFactor_ = 96 / 254.0;
    double hFactor_ = 96 / 254.0;
    bool busy_ = false;
    bool activated_ = false;
    QString reportedMissing_;
    QPoint dragStart_;
    QPoint scrollStart_;
    bool dragging_ = false;
};
