#pragma once
// The timeline's model: the display range (ruler length, visible part, tick
// counts, zoom), the time metric and the markers. Setters change values
// only; the announce operations tell the view and the widget.
#include <QList>
#include <QObject>

#include <PlovdaneQt/QtTimeLineMarker.h>

namespace pld_qt {

class QtTimeLineDataStore : public QObject {
    Q_OBJECT

public:
    static constexpr float kMinimumZoom = 0.01f;

    explicit QtTimeLineDataStore(QObject* parent = nullptr);
    ~QtTimeLineDataStore() override;

    float length() const { return m_length; }
    float displayPosition() const { return m_displayPosition; }
    float visibleWidth() const { return m_visibleWidth; }
    float majorCount() const { return m_majorCount; }
    float minorCount() const { return m_minorCount; }
    float zoom() const { return m_zoom; }
    float pixelsPerSecond() const { return m_pixelsPerSecond; }

    // Pixels between two major and between two minor ticks.
    float majorStep() const { return m_length / m_majorCount; }
    float minorStep() const { return m_length / m_minorCount; }

    void setLength(float length) { m_length = length; }
    void setDisplayPosition(float position) { m_displayPosition = position; }
    void setVisibleWidth(float width) { m_visibleWidth = width; }
    void setMajorCount(float count) { m_majorCount = count; }
    void setMinorCount(float count) { m_minorCount = count; }
    // Never below kMinimumZoom.
    void setZoom(float zoom);
    void setPixelsPerSecond(float pixelsPerSecond) { m_pixelsPerSecond = pixelsPerSecond; }

    QtTimeLineMarker& mainMarker() { return m_mainMarker; }
    const QtTimeLineMarker& mainMarker() const { return m_mainMarker; }
    QtTimeLineMarker& trackingMarker() { return m_trackingMarker; }
    const QtTimeLineMarker& trackingMarker() const { return m_trackingMarker; }
    const QList<QtTimeLineMarker*>& userMarkers() const { return m_userMarkers; }
    // The store owns the new marker.
    QtTimeLineMarker* addUserMarker(float position, float upperBound);

    void announceDisplayRange() { Q_EMIT displayRangeChanged(this); }
    void announceTimeMetric() { Q_EMIT timeMetricChanged(this); }
    void announceMainMarker() { Q_EMIT mainMarkerChanged(this); }
    void announceTrackingMarker() { Q_EMIT trackingMarkerChanged(this); }

signals:
    void displayRangeChanged(const QtTimeLineDataStore* store);
    void timeMetricChanged(const QtTimeLineDataStore* store);
    void mainMarkerChanged(const QtTimeLineDataStore* store);
    void trackingMarkerChanged(const QtTimeLineDataStore* store);

private:
    float m_length = 1000.0f;
    float m_displayPosition = 0.0f;
    float m_visibleWidth = 100.0f;
    float m_majorCount = 10.0f;
    float m_minorCount = 50.0f;
    float m_zoom = 1.0f;
    float m_pixelsPerSecond = 1000.0f;
    QtTimeLineMarker m_mainMarker{0.0f, 0.0f, 1000.0f};
    QtTimeLineMarker m_trackingMarker{0.0f, 0.0f, 1000.0f};
    QList<QtTimeLineMarker*> m_userMarkers;
};

}  // namespace pld_qt
