#pragma once
// A marker on the timeline: a position kept between a lower and an upper
// bound, all in timeline pixels.
#include <QObject>

namespace pld_qt {

class QtTimeLineMarker : public QObject {
    Q_OBJECT

public:
    explicit QtTimeLineMarker(float position = 0.0f, float lower = 0.0f, float upper = 1000.0f,
                              QObject* parent = nullptr);

    float upperBound() const { return m_upper; }
    float lowerBound() const { return m_lower; }
    float position() const { return m_position; }

    // New bounds; the position is pulled inside them.
    void setBounds(float lower, float upper);
    // Stores the position clamped to the bounds (the lower bound for NaN).
    void setPosition(float position);

private:
    float clamped(float position) const;

    float m_upper;
    float m_lower;
    float m_position;
};

}  // namespace pld_qt
