#include <PlovdaneQt/QtTimeLineMarker.h>

#include <algorithm>

namespace pld_qt {

QtTimeLineMarker::QtTimeLineMarker(float position, float lower, float upper, QObject* parent)
    : QObject(parent), m_upper(upper), m_lower(lower), m_position(0.0f)
{
    m_position = clamped(position);
}

float QtTimeLineMarker::clamped(float position) const
{
    if (!(position > m_lower)) return m_lower;  // also NaN
    return std::min(position, std::max(m_upper, m_lower));
}

void QtTimeLineMarker::setBounds(float lower, float upper)
{
    m_lower = lower;
    m_upper = upper;
    m_position = clamped(m_position);
}

void QtTimeLineMarker::setPosition(float position) { m_position = clamped(position); }

}  // namespace pld_qt
