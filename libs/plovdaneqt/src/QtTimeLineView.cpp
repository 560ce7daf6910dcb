#include <PlovdaneQt/QtTimeLineView.h>

#include <cmath>

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include <PlovdaneQt/QtTimeLineDataStore.h>
#include <PlovdaneQt/TimeLineScale.h>

namespace pld_qt {

QtTimeLineView::QtTimeLineView(const QtTimeLineDataStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    setCursor(Qt::BlankCursor);
    QFont rulerFont = font();
    rulerFont.setBold(true);
    rulerFont.setPointSize(6);
    setFont(rulerFont);
}

QSize QtTimeLineView::sizeHint() const { return QSize(0, m_markerHeight + m_labelHeight + m_rulerHeight + 2); }

QString QtTimeLineView::formatTime(float pixels) const
{
    const unsigned long milliseconds = PixelsToMilliseconds(pixels, m_store->pixelsPerSecond());
    const QChar zero('0');
    return QStringLiteral("%1:%2:%3")
        .arg(milliseconds / 60000 % 60, 2, 10, zero)
        .arg(milliseconds / 1000 % 60, 2, 10, zero)
        .arg(milliseconds % 1000, 3, 10, zero);
}

void QtTimeLineView::changeDisplayRange(const QtTimeLineDataStore*) { update(); }

void QtTimeLineView::changeTimeRange(const QtTimeLineDataStore*) { update(); }

void QtTimeLineView::changeMainMarker(const QtTimeLineDataStore*) { update(); }

void QtTimeLineView::changeTrackingMarker(const QtTimeLineDataStore*) { update(); }

float QtTimeLineView::viewX(float position) const { return position / m_store->zoom() - m_store->displayPosition(); }

void QtTimeLineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setFont(font());

    drawTicks(painter, m_store->minorStep(), m_minorTickLength, false);
    painter.drawLine(0, rulerTop(), width(), rulerTop());
    painter.drawLine(0, rulerBottom(), width(), rulerBottom());
    drawTicks(painter, m_store->majorStep(), m_majorTickLength, true);

    drawMarker(painter);
    drawLabel(painter);
}

void QtTimeLineView::drawTicks(QPainter& painter, float step, int tickLength, bool labelled)
{
    const float origin = m_store->displayPosition();
    for (float tick : TickPositions(step, origin, m_store->visibleWidth())) {
        const qreal x = tick - origin;
        painter.drawLine(QPointF(x, rulerBottom()), QPointF(x, rulerBottom() - tickLength));
        if (labelled)
            painter.drawText(QPointF(x + 2, rulerTop() + painter.fontMetrics().ascent() + 1),
                             formatTime(tick * m_store->zoom()));
    }
}

void QtTimeLineView::drawTriangle(QPainter& painter, float x, const QColor& fill)
{
    const qreal half = m_markerHeight / 2.0;
    const qreal tip = rulerTop();
    const QPolygonF triangle(
        {QPointF(x - half, tip - m_markerHeight), QPointF(x + half, tip - m_markerHeight), QPointF(x, tip)});
    painter.setBrush(fill);
    painter.drawPolygon(triangle);
}

void QtTimeLineView::drawMarker(QPainter& painter)
{
    painter.save();
    // User and tracking markers: a triangle above a line through the ruler;
    // the white tracking marker gets a grey line to stay visible on white.
    auto drawLineMarker = [&](const QtTimeLineMarker& marker, const QColor& fill, const QColor& line) {
        const float x = viewX(marker.position());
        painter.setPen(QPen(line, 1));
        painter.drawLine(QPointF(x, rulerTop()), QPointF(x, rulerBottom()));
        painter.setPen(QPen(Qt::black, 1));
        drawTriangle(painter, x, fill);
    };
    for (const QtTimeLineMarker* marker : m_store->userMarkers()) drawLineMarker(*marker, Qt::blue, Qt::blue);
    drawLineMarker(m_store->trackingMarker(), Qt::white, Qt::gray);
    painter.setPen(QPen(Qt::black, 1));
    drawTriangle(painter, viewX(m_store->mainMarker().position()), Qt::black);

    const float end = m_store->length() / m_store->zoom();
    const float first = m_store->displayPosition();
    if (end >= first && end <= first + m_store->visibleWidth()) {
        painter.setPen(QPen(Qt::red, 1));
        drawTriangle(painter, end - first, Qt::red);
    }
    painter.restore();
}

void QtTimeLineView::drawLabel(QPainter& painter)
{
    painter.save();
    painter.setFont(font());
    painter.setPen(Qt::black);
    const qreal baseline = rulerTop() - 1;
    const qreal offset = m_markerHeight;
    for (const QtTimeLineMarker* marker : {&m_store->mainMarker(), &m_store->trackingMarker()})
        painter.drawText(QPointF(viewX(marker->position()) + offset, baseline), formatTime(marker->position()));
    painter.restore();
}

}  // namespace pld_qt
