#pragma once
// The timeline: the painted ruler above a horizontal scroll bar, kept in step
// through the data store's signals. A click or a drag on the ruler reports
// the time under the pointer in milliseconds; the wheel zooms.
#include <cstddef>

#include <QWidget>

#include <PlovdaneQt/QtTimeLineDataStore.h>

class QScrollBar;

namespace pld_qt {

class QtTimer;
class QtTimeLineView;

class QtTimeLineWidget : public QWidget {
    Q_OBJECT

public:
    explicit QtTimeLineWidget(QWidget* parent = nullptr);
    ~QtTimeLineWidget() override;

    QtTimeLineDataStore& dataStore() { return m_store; }
    const QtTimeLineDataStore& dataStore() const { return m_store; }
    QtTimeLineView* view() const { return m_view; }
    QScrollBar* scrollBar() const { return m_scrollBar; }

    // The timer slot below takes a timer, not a QTimerEvent.
    using QWidget::timerEvent;

signals:
    void timeValueClicked(unsigned long milliseconds);

public slots:
    // Moves the main marker to the timer's current time.
    void timerEvent(const QtTimer* timer);
    // Takes the ruler's length and start from the timer's range.
    void timerRangeEvent(const QtTimer* timer);
    void addUserMarker(std::size_t milliseconds);
    void changeDisplayPosition(int position);
    void changeDisplayRange(const QtTimeLineDataStore* store);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Width of the ruler's length written in the widget's font.
    float lengthLabelWidth() const;
    void fitZoom();
    // Timeline pixels under a view x, clamped by `marker`'s bounds.
    float pixelsAt(qreal viewX) const;
    void pointerMoved(qreal viewX, bool leftButtonHeld);
    void pointerPressed(qreal viewX);
    void wheelTurned(int delta, Qt::KeyboardModifiers modifiers);

    QScrollBar* m_scrollBar;
    QtTimeLineDataStore m_store;
    QtTimeLineView* m_view;
};

}  // namespace pld_qt
