#include <PlovdaneQt/QtTimeLineDataStore.h>

namespace pld_qt {

QtTimeLineDataStore::QtTimeLineDataStore(QObject* parent) : QObject(parent) {}

QtTimeLineDataStore::~QtTimeLineDataStore() = default;

void QtTimeLineDataStore::setZoom(float zoom)
{
    m_zoom = zoom > kMinimumZoom ? zoom : kMinimumZoom;  // NaN included
}

QtTimeLineMarker* QtTimeLineDataStore::addUserMarker(float position, float upperBound)
{
    auto* marker = new QtTimeLineMarker(position, 0.0f, upperBound, this);
    m_userMarkers.append(marker);
    return marker;
}

}  // namespace pld_qt
