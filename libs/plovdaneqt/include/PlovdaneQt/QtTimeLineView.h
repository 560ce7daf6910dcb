#pragma once
// The painted part of the timeline: a ruler with minor and major ticks and
// time labels, the user, tracking and main markers, and the ruler's end.
// Positions come from the data store in timeline pixels; the view shows them
// divided by the zoom, relative to the display position.
#include <QString>
#include <QWidget>

class QPainter;

namespace pld_qt {

class QtTimeLineDataStore;
class QtTimeLineMarker;

class QtTimeLineView : public QWidget {
    Q_OBJECT

public:
    explicit QtTimeLineView(const QtTimeLineDataStore* store, QWidget* parent = nullptr);

    // Preferred height: the marker, label and ruler bands plus the ruler's
    // two edge lines; no preferred width.
    QSize sizeHint() const override;

    // "mm:ss:zzz" for a position in timeline pixels.
    virtual QString formatTime(float pixels) const;

public slots:
    void changeDisplayRange(const QtTimeLineDataStore* store);
    void changeTimeRange(const QtTimeLineDataStore* store);
    void changeMainMarker(const QtTimeLineDataStore* store);
    void changeTrackingMarker(const QtTimeLineDataStore* store);

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void drawMarker(QPainter& painter);
    virtual void drawLabel(QPainter& painter);

private:
    // View x of a position in timeline pixels.
    float viewX(float position) const;
    int rulerTop() const { return m_markerHeight + m_labelHeight; }
    int rulerBottom() const { return rulerTop() + m_rulerHeight + 1; }
    void drawTicks(QPainter& painter, float step, int tickLength, bool labelled);
    void drawTriangle(QPainter& painter, float x, const QColor& fill);

    const QtTimeLineDataStore* m_store;
    int m_markerHeight = 6;
    int m_labelHeight = 6;
    int m_rulerHeight = 30;
    int m_minorTickLength = 10;
    int m_majorTickLength = 20;
};

}  // namespace pld_qt
