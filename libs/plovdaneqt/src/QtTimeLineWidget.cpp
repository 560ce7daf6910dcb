#include <PlovdaneQt/QtTimeLineWidget.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <PlovdaneQt/QtTimeLineView.h>
#include <PlovdaneQt/QtTimer.h>
#include <PlovdaneQt/TimeLineScale.h>

namespace pld_qt {

namespace {

constexpr int kInitialPageStep = 100;

// A scroll-bar value for a pixel figure: rounded, within [0, INT_MAX].
int ScrollValue(float pixels)
{
    if (!(pixels > 0.0f)) return 0;
    if (pixels >= static_cast<float>(INT_MAX)) return INT_MAX;
    return static_cast<int>(std::lround(pixels));
}

}  // namespace

QtTimeLineWidget::QtTimeLineWidget(QWidget* parent)
    : QWidget(parent), m_scrollBar(new QScrollBar(Qt::Horizontal, this)), m_view(new QtTimeLineView(&m_store, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_scrollBar);
    m_view->installEventFilter(this);
    m_view->setMouseTracking(true);
    m_scrollBar->setPageStep(kInitialPageStep);

    connect(&m_store, &QtTimeLineDataStore::displayRangeChanged, m_view, &QtTimeLineView::changeDisplayRange);
    connect(&m_store, &QtTimeLineDataStore::displayRangeChanged, this, &QtTimeLineWidget::changeDisplayRange);
    connect(&m_store, &QtTimeLineDataStore::timeMetricChanged, m_view, &QtTimeLineView::changeTimeRange);
    connect(&m_store, &QtTimeLineDataStore::mainMarkerChanged, m_view, &QtTimeLineView::changeMainMarker);
    connect(&m_store, &QtTimeLineDataStore::trackingMarkerChanged, m_view, &QtTimeLineView::changeTrackingMarker);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &QtTimeLineWidget::changeDisplayPosition);

    m_store.announceDisplayRange();
    m_store.announceTimeMetric();
    m_store.announceMainMarker();
    m_store.announceTrackingMarker();
}

QtTimeLineWidget::~QtTimeLineWidget()
{
    // The view paints from the store; let it go while the store still exists.
    delete m_view;
    m_view = nullptr;
}

float QtTimeLineWidget::lengthLabelWidth() const
{
    return static_cast<float>(QFontMetricsF(font()).horizontalAdvance(QString::number(m_store.length())));
}

void QtTimeLineWidget::fitZoom()
{
    m_store.setZoom(FittedZoom(m_store.length(), m_store.zoom(), m_store.visibleWidth(), lengthLabelWidth()));
}

void QtTimeLineWidget::timerEvent(const QtTimer* timer)
{
    if (!timer) return;
    m_store.mainMarker().setPosition(MillisecondsToPixels(timer->currentTime(), m_store.pixelsPerSecond()));
    m_store.announceMainMarker();
}

void QtTimeLineWidget::timerRangeEvent(const QtTimer* timer)
{
    if (!timer) return;
    const float length = MillisecondsToPixels(timer->endTime(), m_store.pixelsPerSecond());
    m_store.setLength(length);
    m_store.setDisplayPosition(MillisecondsToPixels(timer->startTime(), m_store.pixelsPerSecond()));
    m_store.setMajorCount(length / 100.0f);
    m_store.setMinorCount(5.0f * m_store.majorCount());
    m_store.announceDisplayRange();
}

void QtTimeLineWidget::addUserMarker(std::size_t milliseconds)
{
    m_store.addUserMarker(MillisecondsToPixels(milliseconds, m_store.pixelsPerSecond()), m_store.length());
}

void QtTimeLineWidget::changeDisplayPosition(int position)
{
    m_store.setDisplayPosition(static_cast<float>(position));
    m_store.announceDisplayRange();
}

void QtTimeLineWidget::changeDisplayRange(const QtTimeLineDataStore*)
{
    m_store.mainMarker().setBounds(0.0f, m_store.length());
    m_store.trackingMarker().setBounds(0.0f, m_store.length());
    m_store.announceMainMarker();
    m_store.announceTrackingMarker();

    const float scrollable = m_store.length() / m_store.zoom() - m_store.visibleWidth() + 3.0f * lengthLabelWidth();
    // Clamping the range may move the bar, which feeds the new position back
    // here through changeDisplayPosition; read the position afterwards.
    m_scrollBar->setRange(0, ScrollValue(scrollable));
    m_scrollBar->setPageStep(ScrollValue(m_store.visibleWidth()));
    m_scrollBar->setValue(ScrollValue(m_store.displayPosition()));
}

float QtTimeLineWidget::pixelsAt(qreal viewX) const
{
    return (static_cast<float>(viewX) + m_store.displayPosition()) * m_store.zoom();
}

void QtTimeLineWidget::pointerMoved(qreal viewX, bool leftButtonHeld)
{
    m_store.trackingMarker().setPosition(pixelsAt(viewX));
    if (leftButtonHeld) {
        m_store.mainMarker().setPosition(pixelsAt(viewX));
        emit timeValueClicked(PixelsToMilliseconds(m_store.mainMarker().position(), m_store.pixelsPerSecond()));
        m_store.announceMainMarker();
    }
    m_store.announceTrackingMarker();
}

void QtTimeLineWidget::pointerPressed(qreal viewX)
{
    // The press itself places the tracking marker, so a press that no move
    // preceded reports the time under the pointer.
    m_store.trackingMarker().setPosition(pixelsAt(viewX));
    m_store.mainMarker().setPosition(m_store.trackingMarker().position());
    m_store.announceMainMarker();
    m_store.announceTrackingMarker();
    emit timeValueClicked(PixelsToMilliseconds(m_store.trackingMarker().position(), m_store.pixelsPerSecond()));
}

void QtTimeLineWidget::wheelTurned(int delta, Qt::KeyboardModifiers modifiers)
{
    if (delta == 0) return;
    float step = 0.1f;
    if (modifiers & Qt::ControlModifier) step = (modifiers & Qt::AltModifier) ? 10.0f : 1.0f;

    float zoom = m_store.zoom() <= QtTimeLineDataStore::kMinimumZoom ? 0.0f : m_store.zoom();
    zoom += delta > 0 ? -step : step;  // away from the user zooms in
    m_store.setZoom(zoom);
    fitZoom();
    m_store.announceDisplayRange();
}

bool QtTimeLineWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_view || !m_view) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        pointerMoved(mouse->localPos().x(), mouse->buttons() & Qt::LeftButton);
        break;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) pointerPressed(mouse->localPos().x());
        break;
    }
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint angle = wheel->angleDelta();
        // Some platforms turn the wheel sideways while Alt is held.
        wheelTurned(angle.y() != 0 ? angle.y() : angle.x(), wheel->modifiers());
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void QtTimeLineWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_store.setVisibleWidth(static_cast<float>(event->size().width()));
    fitZoom();
    m_scrollBar->setPageStep(ScrollValue(m_store.visibleWidth()));
    m_store.announceDisplayRange();
}

}  // namespace pld_qt
