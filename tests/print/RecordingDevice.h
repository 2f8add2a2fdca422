#pragma once
// A paint device at 254 dots per inch, so one device unit is 0.1 mm, that
// records every primitive drawn on it with the painter's pen, brush and font:
// the interpreter's placement checked in exact device coordinates.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>

#include <vector>

enum class Drawn { Line, Rect, Ellipse, Path, Polygon, Text, Image };

struct DrawnItem {
    Drawn Kind;
    QLineF Line;
    QRectF Rect;
    QPointF Point;
    QString Text;
    QPen Pen;
    QBrush Brush;
    QFont Font;
    QTransform Transform;
};

class RecordingEngine final : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
        if (state.state() & DirtyFont)
            font_ = state.font();
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            Add(Drawn::Line).Line = lines[i];
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            Add(Drawn::Rect).Rect = rects[i];
    }
    void drawEllipse(const QRectF& rect) override { Add(Drawn::Ellipse).Rect = rect; }
    void drawPath(const QPainterPath& path) override { Add(Drawn::Path).Rect = path.boundingRect(); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        Add(Drawn::Polygon).Rect = QPolygonF(QList<QPointF>(points, points + count)).boundingRect();
    }
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override { Add(Drawn::Image).Rect = rect; }
    void drawImage(const QRectF& rect, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        Add(Drawn::Image).Rect = rect;
    }
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        DrawnItem& d = Add(Drawn::Text);
        d.Point = point;
        d.Text = item.text();
        d.Font = item.font();
    }

    std::vector<DrawnItem> Items;

private:
    DrawnItem& Add(Drawn kind)
    {
        Items.push_back({kind, {}, {}, {}, {}, pen_, brush_, font_, transform_});
        return Items.back();
    }
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QTransform transform_;
};

class RecordingDevice final : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }
    std::vector<DrawnItem>& Items() { return engine_.Items; }
    std::vector<DrawnItem> Of(Drawn kind) const
    {
        std::vector<DrawnItem> out;
        for (const auto& item : engine_.Items)
            if (item.Kind == kind)
                out.push_back(item);
        return out;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 2100;
        case PdmHeight:
            return 2970;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmNumColors:
            return 0x7FFFFFFF;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 254;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable RecordingEngine engine_;
};
