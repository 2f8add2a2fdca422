#include "print/screens/TImageDispForm.h"

#include "foundation/UserMessage.h"
#include "print/ErrorLog.h"
#include "print/FolFile.h"
#include "print/PageInterpreter.h"
#include "print/PrintEngine.h"
#include "print/PrinterSheet.h"
#include "print/Printing.h"
#include "print/screens/Tfmyohaku.h"

#include <QEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace fol;

namespace {

int RoundPx(double value)
{
    return static_cast<int>(std::lround(value));
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

QString Trimmed(const std::string& text)
{
    return QString::fromStdString(text).trimmed();
}

}  // namespace

TPreviewPaintBox::TPreviewPaintBox(TImageDispForm* form) : QWidget(form->PaperPanel), form_(form)
{
    setObjectName("ImageBox");
    setToolTip("印刷可能範囲");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    form_->ImageBoxPaint(painter);
}

void TPreviewPaintBox::mousePressEvent(QMouseEvent* e)
{
    if (e->buttons() == Qt::LeftButton)
        form_->BeginDrag(e->globalPosition().toPoint());
}

void TPreviewPaintBox::mouseMoveEvent(QMouseEvent* e)
{
    if (e->buttons() == Qt::LeftButton)
        form_->Drag(e->globalPosition().toPoint());
}

void TPreviewPaintBox::mouseReleaseEvent(QMouseEvent*)
{
    form_->EndDrag();
}

TImageDispForm::TImageDispForm(TFOLDEF& record, QWidget* parent)
    : QDialog(parent), record_(record), interp_(std::make_unique<PageInterpreter>(record))
{
    setObjectName("ImageDispForm");
    setWindowTitle("印刷ﾌﾟﾚﾋﾞｭｰ");
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    BuildToolBar();

    ScrollBox = new QScrollArea(this);
    ScrollBox->setWidgetResizable(false);
    auto* content = new QWidget;
    ScrollBox->setWidget(content);
    PaperPanel = new QWidget(content);
    PaperPanel->setObjectName("PaperPanel");
    PaperPanel->setAutoFillBackground(true);
    QPalette white = PaperPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    PaperPanel->setPalette(white);
    PaperPanel->setStyleSheet("#PaperPanel { background: white; border: 1px solid black; }");
    ImageBox = new TPreviewPaintBox(this);
    auto refresh = [this] {
        if (!ScrollBox->horizontalScrollBar()->isSliderDown() && !ScrollBox->verticalScrollBar()->isSliderDown())
            PaperPanel->update();
    };
    connect(ScrollBox->horizontalScrollBar(), &QScrollBar::sliderReleased, this, refresh);
    connect(ScrollBox->verticalScrollBar(), &QScrollBar::sliderReleased, this, refresh);

    PrinterSetup = [this] {
        // The platform's page set-up on the current printer: its paper and
        // orientation go back into the engine's device mode.
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        TVDBPrint* vdb = Vdb();
        printer.setPageSize(QPageSize(QPageSize::id(vdb ? vdb->GetPaper() : 9)));
        printer.setPageOrientation(PrinterOrientation() == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
        QPageSetupDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        if (vdb)
            vdb->SetPaper(printer.pageLayout().pageSize().windowsId());
        SetPrinterOrientation(printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0);
    };
    AskPageNumber = [this]() -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, "ページ指定", "表示したいページ番号を入力してください",
                                                   QLineEdit::Normal, "1", &ok);
        if (!ok)
            return std::nullopt;
        return text;
    };

    // An empty title leaves the window without caption.
    setWindowTitle(QString::fromStdString(record_.Title()));
    const bool reports = record_.PrevPaperButton || record_.NextPaperButton;
    BtnPrevReport->setVisible(reports);
    BtnNextReport->setVisible(reports);
    BtnPrevReport->setEnabled(record_.PrevPaperButton);
    BtnNextReport->setEnabled(record_.NextPaperButton);
    BtnPrint->setEnabled(record_.Permit);
    BtnPrinterSetup->setEnabled(record_.Permit);
    BtnCurrentPage->setEnabled(record_.Permit);
    BtnCurrentPage->setVisible(record_.CurrentPageButton);

    // Show: the device factors of the screen and the form's definitions.
    hFactor_ = logicalDpiX() / 254.0;
    vFactor_ = logicalDpiY() / 254.0;
    try {
        interp_->LoadFormFields(record_.FormFile(), 0, 0);
    } catch (const std::exception& e) {
        WriteErrorLog("PREVIEW.FormCreate", e.what());
    }
    PlaceToolBar();
}

TImageDispForm::~TImageDispForm() = default;

void TImageDispForm::BuildToolBar()
{
    auto button = [this](const char* text, const char* hint, auto handler) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(text));
        b->setToolTip(QString::fromUtf8(hint));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    BtnClose = button("閉じる", "プレビューを中止する。", [this] { CloseWith(0); });
    BtnPrint = button("印刷", "印刷", [this] { PrintClick(); });
    BtnPrinterSetup = button("設定", "ﾌﾟﾘﾝﾀ設定", [this] { PrinterSetupClick(); });
    BtnMargin = button("余白", "上余白・左余白を設定します", [this] { MarginClick(); });
    BtnFit = button("全体", "全体を表示する", [this] { FitClick(); });
    Btn100 = button("100", "１００％表示", [this] { SetZoom(10); });
    BtnZoomIn = button("＋", "拡大", [this] {
        if (zoom_ < MaxZoom)
            SetZoom(zoom_ + 1);
    });
    BtnZoomOut = button("－", "縮小", [this] {
        if (zoom_ > MinZoom)
            SetZoom(zoom_ - 1);
    });
    PnlZoom = new QLabel(this);
    PnlZoom->setAlignment(Qt::AlignCenter);
    PnlZoom->setFrameShape(QFrame::Panel);
    PnlZoom->setFrameShadow(QFrame::Sunken);
    BtnPgJump = button("Jmp", "ﾍﾟｰｼﾞ指定", [this] { PgJumpClick(); });
    BtnFirst = button("|◀", "先頭ﾍﾟｰｼﾞ", [this] { GoToPage(1); });
    BtnPrev = button("◀", "前ﾍﾟｰｼﾞ", [this] {
        if (total_ > 1 && current_ > 1)
            GoToPage(current_ - 1);
    });
    BtnNext = button("▶", "次ﾍﾟｰｼﾞ", [this] {
        if (current_ < total_)
            GoToPage(current_ + 1);
    });
    BtnLast = button("▶|", "最終ﾍﾟｰｼﾞ", [this] { GoToPage(total_); });
    BtnCurrentPage = button("頁印刷", "現在のページを印刷", [this] { CurrentPagePrintClick(); });
    PnlPage = new QLabel(this);
    PnlPage->setAlignment(Qt::AlignCenter);
    PnlPage->setFrameShape(QFrame::Panel);
    PnlPage->setFrameShadow(QFrame::Sunken);
    BtnPrevReport = button("前の帳票", "前の帳票", [this] { CloseWith(-1); });
    BtnNextReport = button("次の帳票", "次の帳票", [this] { CloseWith(1); });
    // Saving and reopening print files stays out of reach.
    BtnSave = button("保存", "ファイルに保存", [] {});
    BtnOpen = button("読込", "ファイルの読込", [] {});
    BtnCancelOpen = button("取消", "ファイルの読込を取り消す", [] {});
    for (QToolButton* hidden : {BtnSave, BtnOpen, BtnCancelOpen}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }
}

void TImageDispForm::PlaceToolBar()
{
    int x = 4;
    auto place = [&x](QWidget* w, int width) {
        w->setGeometry(x, 3, width, 28);
        x += width + 2;
    };
    place(BtnClose, 52);
    place(BtnPrint, 44);
    place(BtnPrinterSetup, 44);
    place(BtnMargin, 44);
    x += 6;
    place(BtnFit, 40);
    place(Btn100, 40);
    place(BtnZoomIn, 30);
    place(BtnZoomOut, 30);
    place(PnlZoom, 52);
    x += 6;
    place(BtnPgJump, 40);
    place(BtnFirst, 34);
    place(BtnPrev, 30);
    place(BtnNext, 30);
    place(BtnLast, 34);
    place(BtnCurrentPage, 56);
    place(PnlPage, 80);
    const int right = PnlPage->geometry().right() + 1;
    BtnPrevReport->setGeometry(right + 20, 3, 78, 28);
    BtnNextReport->setGeometry(right + 102, 3, 78, 28);
    ScrollBox->setGeometry(0, 34, width(), std::max(0, height() - 34));
}

bool TImageDispForm::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        const bool result = QDialog::event(e);
        FormActivate();
        return result;
    }
    return QDialog::event(e);
}

void TImageDispForm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    PlaceToolBar();
    FormResize();
}

void TImageDispForm::FormActivate()
{
    try {
        closeCode_ = BtnPrevReport->isHidden() && BtnNextReport->isHidden() ? 1 : 0;
        zoom_ = std::clamp(record_.Zoom, MinZoom, MaxZoom);
        total_ = interp_->SetPageCount();
        current_ = std::clamp(current_, 1, total_);
        FormResize();
        if (const int fit = FittingZoom(); fit > 0)
            zoom_ = fit;
        PnlZoom->setText(QString::number(zoom_ * 10) + "%");
        if (!margins_)
            margins_ = new Tfmyohaku(this);
        FolFile file;
        orientations_.clear();
        if (file.Open(record_.DataFile()))
            orientations_ = PageOrientations(file.Lines(), record_.Orientation);
        ApplyPageOrientation();
        FormResize();
        ShowPageNumber();
        activated_ = true;
    } catch (const std::exception& e) {
        WriteErrorLog("PREVIEW.FormCreate", e.what());
    }
}

int TImageDispForm::FittingZoom() const
{
    const SheetGeometry sheet = PrinterSheet(PrinterOrientation(), 10);
    const double ppiX = logicalDpiX();
    const double ppiY = logicalDpiY();
    const QSize room = ScrollBox->viewport()->size();
    for (int n = MaxZoom; n >= MinZoom; --n) {
        const int w = RoundPx(ppiX * sheet.PaperWidth / 25.4 * n / 10) + 15;
        const int h = RoundPx(ppiY * sheet.PaperHeight / 25.4 * n / 10) + PanelTop;
        if (room.width() >= w && room.height() >= h)
            return n;
    }
    return 0;
}

void TImageDispForm::FormResize()
{
    if (!interp_)
        return;
    try {
        ScrollBox->horizontalScrollBar()->setValue(0);
        ScrollBox->verticalScrollBar()->setValue(0);
        const int orientation = PrinterOrientation();
        const SheetGeometry sheet = PrinterSheet(orientation, 10);
        const double ppiX = logicalDpiX();
        const double ppiY = logicalDpiY();
        const double z = zoom_ / 10.0;
        int pw = RoundPx(ppiX * sheet.PaperWidth / 25.4 * z);
        int ph = RoundPx(ppiY * sheet.PaperHeight / 25.4 * z);
        if (sheet.Unknown) {
            pw += 2;
            ph += 2;
        }
        const int left = std::max(15, RoundPx((width() - pw - 15) / 2.0));
        PaperPanel->setGeometry(left, PanelTop, pw, ph);
        const int bw = RoundPx(sheet.PrintableWidth / 25.4 * ppiX * z) + 2;
        const int bh = RoundPx(sheet.PrintableHeight / 25.4 * ppiY * z) + 2;
        ImageBox->setGeometry((pw - bw) / 2, (ph - bh) / 2, bw, bh);
        ScrollBox->widget()->resize(left + pw + 15, PanelTop + ph + 15);
        PlacePages(*interp_, record_, PrinterSheet(orientation, 20));
        ImageBox->update();
    } catch (const std::exception& e) {
        WriteErrorLog("PREVIEW.FormResize", e.what());
    }
}

void TImageDispForm::ReportMissingLater(const QString& text)
{
    if (text == reportedMissing_)
        return;
    reportedMissing_ = text;
    QTimer::singleShot(0, this, [text] { ShowUserMessage(text.toStdString(), TMsgDlgType::mtError); });
}

void TImageDispForm::ImageBoxPaint(QPainter& painter)
{
    if (busy_) {
        busy_ = false;
        return;
    }
    busy_ = true;
    try {
        painter.fillRect(ImageBox->rect(), Qt::white);
        const std::string& data = record_.DataFile();
        if (data.empty()) {
            ReportMissingLater("印刷ファイルの指定がありません。");
        } else if (!FileExists(data)) {
            ReportMissingLater("\"" + QString::fromStdString(data) + "\"が見つかりません。");
        } else {
            reportedMissing_.clear();
            QPen frame(Qt::blue);
            frame.setStyle(Qt::DotLine);
            painter.setPen(frame);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(ImageBox->rect().adjusted(0, 0, -1, -1));
            const int loaded = interp_->Fields().PagesLoaded();
            const int formPage = (current_ - 1) % (loaded + 1);
            DrawInputs in;
            in.Zoom = zoom_;
            in.VFactor = vFactor_;
            in.HFactor = hFactor_;
            in.Dpi = logicalDpiY();
            in.EvenSheet = current_ % 2 == 0;
            in.Page = numbering_;
            FolFile form;
            if (!Trimmed(record_.FormFile()).isEmpty() && form.Open(record_.FormFile()) &&
                SeekPage(form, current_, true)) {
                in.Kind = DrawKind::Fom;
                interp_->DrawPrintPage(form, painter, in);
            }
            FolFile file;
            if (file.Open(data) && SeekPage(file, current_, false)) {
                in.Kind = DrawKind::Dat;
                in.FormPage = formPage;
                interp_->DrawPrintPage(file, painter, in);
            }
        }
    } catch (const std::exception& e) {
        WriteErrorLog("PREVIEW.ImageBoxPaint", e.what());
    }
    busy_ = false;
}

void TImageDispForm::SetZoom(int zoom)
{
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    PnlZoom->setText(QString::number(zoom_ * 10) + "%");
    FormResize();
}

void TImageDispForm::FitClick()
{
    if (const int fit = FittingZoom(); fit > 0)
        SetZoom(fit);
}

void TImageDispForm::ApplyPageOrientation()
{
    const auto index = static_cast<std::size_t>(current_ - 1);
    if (index < orientations_.size() && orientations_[index] != PrinterOrientation()) {
        SetPrinterOrientation(orientations_[index]);
        FormResize();
    }
}

void TImageDispForm::ShowPageNumber()
{
    PnlPage->setText(QString::number(current_) + "/" + QString::number(total_));
}

void TImageDispForm::GoToPage(int page)
{
    if (page < 1 || page > total_)
        return;
    current_ = page;
    numbering_ = page;
    ApplyPageOrientation();
    ImageBox->update();
    ShowPageNumber();
}

void TImageDispForm::PgJumpClick()
{
    try {
        const auto text = AskPageNumber();
        bool ok = false;
        const int page = text ? text->trimmed().toInt(&ok) : 0;
        if (ok && page >= 1 && page <= total_)
            GoToPage(page);
        raise();
        activateWindow();
    } catch (const std::exception& e) {
        WriteErrorLog("ImageDispForm.PgJumpClick", e.what());
    }
}

void TImageDispForm::PrintClick()
{
    if (!record_.Permit)
        return;
    const int orientation = PrinterOrientation();
    const int page = current_;
    const bool dialog = record_.PrintDialog;
    record_.PrintDialog = true;
    record_.Zoom = 10;
    if (TVDBPrint* vdb = Vdb(); vdb && !vdb->NoPrinter())
        record_.PrinterIndex = vdb->Backend().CurrentPrinterIndex();
    UpdateRatios(*interp_, record_);
    RunPrint(FolDef());
    record_.PrintDialog = dialog;
    SetPrinterOrientation(orientation);
    current_ = page;
    numbering_ = page;
    FormResize();
    ShowPageNumber();
}

void TImageDispForm::PrinterSetupClick()
{
    if (PrinterSetup)
        PrinterSetup();
    UpdateRatios(*interp_, record_);
    FormResize();
}

void TImageDispForm::CurrentPagePrintClick()
{
    if (!record_.Permit)
        return;
    record_.Zoom = 10;
    if (TVDBPrint* vdb = Vdb(); vdb && !vdb->NoPrinter())
        record_.PrinterIndex = vdb->Backend().CurrentPrinterIndex();
    UpdateRatios(*interp_, record_);
    PrintCurrentPage(record_, current_, PrinterOrientation());
    numbering_ = current_;
    FormResize();
}

void TImageDispForm::MarginClick()
{
    try {
        if (!margins_)
            margins_ = new Tfmyohaku(this);
        TVDBPrint* vdb = Vdb();
        const bool samePaper = vdb && vdb->GetPaper() == record_.PaperSize;
        margins_->SetTopMargin(record_.TopMargin);
        margins_->SetLeftMargin(record_.LeftMargin);
        margins_->ShowSpacing(samePaper);
        if (samePaper) {
            margins_->SetVRatio(record_.VRatio);
            margins_->SetHRatio(record_.HRatio);
        }
        if (margins_->exec() == QDialog::Accepted) {
            record_.TopMargin = margins_->TopMargin();
            record_.LeftMargin = margins_->LeftMargin();
            if (samePaper) {
                record_.VRatio = margins_->VRatio() == 0 ? 1000 : margins_->VRatio();
                record_.HRatio = margins_->HRatio() == 0 ? 1000 : margins_->HRatio();
            }
        }
        raise();
        activateWindow();
        UpdateRatios(*interp_, record_);
        FormResize();
    } catch (const std::exception& e) {
        WriteErrorLog("PREVIEW.余白設定", e.what());
    }
}

void TImageDispForm::CloseWith(int code)
{
    closeCode_ = code;
    close();
}

void TImageDispForm::BeginDrag(const QPoint& global)
{
    dragging_ = true;
    dragStart_ = global;
    scrollStart_ = QPoint(ScrollBox->horizontalScrollBar()->value(), ScrollBox->verticalScrollBar()->value());
    ImageBox->setCursor(Qt::SizeAllCursor);
}

void TImageDispForm::Drag(const QPoint& global)
{
    if (!dragging_)
        return;
    const QPoint moved = global - dragStart_;
    ScrollBox->horizontalScrollBar()->setValue(std::max(0, scrollStart_.x() - moved.x()));
    ScrollBox->verticalScrollBar()->setValue(std::max(0, scrollStart_.y() - moved.y()));
}

void TImageDispForm::EndDrag()
{
    dragging_ = false;
    ImageBox->unsetCursor();
}
