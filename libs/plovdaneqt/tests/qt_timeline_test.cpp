// The timeline widget on Qt's offscreen platform: figures taken from the
// clock, painting, pointer and wheel handling, and clock signals from the
// update thread.
#include <PlovdaneQt/QtTimeLine.h>
#include <PlovdaneQt/QtTimer.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "fake_clock.h"
#include "qt_test_application.h"

using hlv_testing::CWatchdog;
using pld_qt::QtTimeLineDataStore;
using pld_qt::QtTimeLineWidget;
using pld_qt::QtTimer;

namespace {

struct QtTimeLineTest : QtApplicationTest {

    // A clock spanning [start, end] milliseconds at the given current time.
    std::unique_ptr<QtTimer> Clock(std::uint64_t start, std::uint64_t end, unsigned long current = 0)
    {
        auto timer = std::make_unique<QtTimer>(clock);
        timer->setStartTime(start);
        timer->setEndTime(end);
        timer->timeChangeEvent(current);
        return timer;
    }

    void Show(int width, int height = 120)
    {
        timeline.resize(width, height);
        timeline.show();
        QApplication::processEvents();
    }

    void Mouse(QEvent::Type type, qreal x, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(x, 20), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(timeline.view(), &event);
    }

    void Wheel(int delta, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(0, delta), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(timeline.view(), &event);
    }

    float LabelWidth() const
    {
        return static_cast<float>(QFontMetricsF(timeline.font()).horizontalAdvance(QString::number(store().length())));
    }

    const QtTimeLineDataStore& store() const { return timeline.dataStore(); }

    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    QtTimeLineWidget timeline;
};

// Runs the main thread's events until the condition holds or 5 s passed.
template <typename Condition>
bool ProcessEventsUntil(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool IsInk(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

TEST_F(QtTimeLineTest, StartsWithTheInitialDisplayRange)
{
    EXPECT_FLOAT_EQ(store().length(), 1000.0f);
    EXPECT_FLOAT_EQ(store().displayPosition(), 0.0f);
    EXPECT_FLOAT_EQ(store().majorCount(), 10.0f);
    EXPECT_FLOAT_EQ(store().minorCount(), 50.0f);
    EXPECT_FLOAT_EQ(store().zoom(), 1.0f);
    EXPECT_FLOAT_EQ(store().pixelsPerSecond(), 1000.0f);
    EXPECT_FLOAT_EQ(store().mainMarker().upperBound(), 1000.0f);
    EXPECT_FLOAT_EQ(store().trackingMarker().lowerBound(), 0.0f);
    EXPECT_EQ(timeline.view()->sizeHint(), QSize(0, 44));
    EXPECT_EQ(timeline.view()->cursor().shape(), Qt::BlankCursor);
}

TEST_F(QtTimeLineTest, ClockRangeGivesLengthAndTickSpacing)
{
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    EXPECT_FLOAT_EQ(store().length(), 3000.0f);
    EXPECT_FLOAT_EQ(store().majorCount(), 30.0f);
    EXPECT_FLOAT_EQ(store().minorCount(), 150.0f);
    EXPECT_FLOAT_EQ(store().majorStep(), 100.0f);
    EXPECT_FLOAT_EQ(store().minorStep(), 20.0f);
    EXPECT_FLOAT_EQ(store().mainMarker().upperBound(), 3000.0f);

    auto late = Clock(500, 3000);
    timeline.timerRangeEvent(late.get());
    EXPECT_FLOAT_EQ(store().displayPosition(), 500.0f);
}

TEST_F(QtTimeLineTest, PaintedTicksFallEveryTwentyPixels)
{
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    Show(600);
    const QImage image = timeline.view()->grab().toImage();
    ASSERT_GE(image.height(), 44);
    // Minor ticks rise 10 pixels from the ruler's bottom line at y 43.
    const int y = 38;
    for (int x = 20; x < 200; x += 20) EXPECT_TRUE(IsInk(image, x, y)) << "tick at " << x;
    for (int x = 30; x < 200; x += 20) EXPECT_FALSE(IsInk(image, x, y)) << "no tick at " << x;
    // Major ticks rise 20 pixels, every 100 pixels.
    EXPECT_TRUE(IsInk(image, 100, 28));
    EXPECT_FALSE(IsInk(image, 60, 28));
}

TEST_F(QtTimeLineTest, ZeroLengthTimelinePaintsAndReturns)
{
    CWatchdog watchdog(std::chrono::seconds(20), "ZeroLengthTimelinePaintsAndReturns");
    auto timer = Clock(0, 0);
    timeline.timerRangeEvent(timer.get());
    EXPECT_FLOAT_EQ(store().length(), 0.0f);
    Show(600);
    const QImage image = timeline.view()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_TRUE(std::isfinite(store().zoom()));
    EXPECT_GE(store().zoom(), QtTimeLineDataStore::kMinimumZoom);
    timeline.resize(5, 80);  // narrower than three length labels
    QApplication::processEvents();
    EXPECT_TRUE(std::isfinite(store().zoom()));
    EXPECT_FALSE(timeline.view()->grab().toImage().isNull());
    EXPECT_EQ(timeline.scrollBar()->maximum(), 0);
}

TEST_F(QtTimeLineTest, ClickReportsTheTimeUnderThePointer)
{
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    Show(600);
    ASSERT_FLOAT_EQ(store().zoom(), 1.0f);
    QSignalSpy clicked(&timeline, &QtTimeLineWidget::timeValueClicked);

    Mouse(QEvent::MouseButtonPress, 250, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).value<unsigned long>(), 250u);
    EXPECT_FLOAT_EQ(store().mainMarker().position(), 250.0f);

    timeline.scrollBar()->setValue(1000);
    EXPECT_FLOAT_EQ(store().displayPosition(), 1000.0f);
    Mouse(QEvent::MouseButtonPress, 250, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(clicked.at(1).at(0).value<unsigned long>(), 1250u);

    // At and past the ruler's right end: the clock's end time.
    Mouse(QEvent::MouseButtonPress, 2000, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(clicked.at(2).at(0).value<unsigned long>(), 3000u);
    Mouse(QEvent::MouseButtonPress, 5000, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(clicked.at(3).at(0).value<unsigned long>(), 3000u);

    // A right button does nothing.
    Mouse(QEvent::MouseButtonPress, 10, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(clicked.count(), 4);
}

TEST_F(QtTimeLineTest, MovingTracksAndDraggingScrubs)
{
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    Show(600);
    QSignalSpy clicked(&timeline, &QtTimeLineWidget::timeValueClicked);

    Mouse(QEvent::MouseMove, 120, Qt::NoButton, Qt::NoButton);
    EXPECT_FLOAT_EQ(store().trackingMarker().position(), 120.0f);
    EXPECT_FLOAT_EQ(store().mainMarker().position(), 0.0f);
    EXPECT_EQ(clicked.count(), 0);

    Mouse(QEvent::MouseMove, 340, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(store().mainMarker().position(), 340.0f);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).value<unsigned long>(), 340u);

    Mouse(QEvent::MouseMove, -50, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(store().trackingMarker().position(), 0.0f);
    EXPECT_EQ(clicked.at(1).at(0).value<unsigned long>(), 0u);
}

TEST_F(QtTimeLineTest, ShortTrackIsZoomedToFitAndItsEndClicks)
{
    auto timer = Clock(0, 300);
    timeline.timerRangeEvent(timer.get());
    Show(600);
    const float room = 600.0f - 3.0f * LabelWidth();
    EXPECT_NEAR(store().zoom(), 300.0f / room, 1e-5);
    QSignalSpy clicked(&timeline, &QtTimeLineWidget::timeValueClicked);
    Mouse(QEvent::MouseButtonPress, room, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).value<unsigned long>(), 300u);
    Mouse(QEvent::MouseButtonPress, room / 2, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(clicked.at(1).at(0).value<unsigned long>(), 150u);
}

TEST_F(QtTimeLineTest, WheelZoomsByStepsAndStopsAtTheLowerLimit)
{
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    Show(600);
    Wheel(120, Qt::NoModifier);  // away from the user: lower
    EXPECT_NEAR(store().zoom(), 0.9f, 1e-5);
    Wheel(-120, Qt::ControlModifier);  // towards: raise by 1
    EXPECT_NEAR(store().zoom(), 1.9f, 1e-5);
    Wheel(120, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FLOAT_EQ(store().zoom(), QtTimeLineDataStore::kMinimumZoom);
    Wheel(120, Qt::NoModifier);
    EXPECT_FLOAT_EQ(store().zoom(), QtTimeLineDataStore::kMinimumZoom);
    // At the limit the zoom counts as 0 before the step.
    Wheel(-120, Qt::NoModifier);
    EXPECT_NEAR(store().zoom(), 0.1f, 1e-5);
}

TEST_F(QtTimeLineTest, ClockTimeMovesTheMainMarkerWithinItsBounds)
{
    auto timer = Clock(0, 3000, 1234);
    timeline.timerRangeEvent(timer.get());
    timeline.timerEvent(timer.get());
    EXPECT_FLOAT_EQ(store().mainMarker().position(), 1234.0f);

    auto longer = Clock(0, 9000, 7000);
    timeline.timerEvent(longer.get());
    EXPECT_FLOAT_EQ(store().mainMarker().position(), 3000.0f);
}

TEST_F(QtTimeLineTest, UserMarkersSitAtTheirTime)
{
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    timeline.addUserMarker(1500);
    timeline.addUserMarker(4000);
    ASSERT_EQ(store().userMarkers().size(), 2);
    EXPECT_FLOAT_EQ(store().userMarkers()[0]->position(), 1500.0f);
    EXPECT_FLOAT_EQ(store().userMarkers()[0]->upperBound(), 3000.0f);
    EXPECT_FLOAT_EQ(store().userMarkers()[1]->position(), 3000.0f);
    Show(600);
    EXPECT_FALSE(timeline.view()->grab().toImage().isNull());
}

TEST_F(QtTimeLineTest, FormatsTimeAsMinutesSecondsMilliseconds)
{
    EXPECT_EQ(timeline.view()->formatTime(83456.0f), QStringLiteral("01:23:456"));
    EXPECT_EQ(timeline.view()->formatTime(3600000.0f), QStringLiteral("00:00:000"));
    EXPECT_EQ(timeline.view()->formatTime(7.0f), QStringLiteral("00:00:007"));
}

TEST_F(QtTimeLineTest, ClockTicksOnAnotherThreadArriveOnTheMainThread)
{
    CWatchdog watchdog(std::chrono::seconds(20), "ClockTicksOnAnotherThreadArriveOnTheMainThread");
    auto timer = Clock(0, 3000);
    timeline.timerRangeEvent(timer.get());
    // Connected by name, as the application wires it.
    ASSERT_TRUE(QObject::connect(timer.get(), SIGNAL(timeValueChanged(QtTimer const*)), &timeline,
                                 SLOT(timerEvent(QtTimer const*))));
    QThread* deliveredOn = nullptr;
    const QtTimer* delivered = nullptr;
    QObject receiver;
    QObject::connect(timer.get(), &QtTimer::timeValueChanged, &receiver, [&](const QtTimer* sender) {
        deliveredOn = QThread::currentThread();
        delivered = sender;
    });

    timer->play();
    std::thread updateThread([&] {
        clock->AdvanceMs(1250);
        timer->Tick();
    });
    updateThread.join();
    // Queued: nothing has arrived before the main thread runs its events.
    EXPECT_EQ(deliveredOn, nullptr);
    EXPECT_FLOAT_EQ(store().mainMarker().position(), 0.0f);

    ASSERT_TRUE(ProcessEventsUntil([&] { return deliveredOn != nullptr; }));
    EXPECT_EQ(deliveredOn, QApplication::instance()->thread());
    EXPECT_EQ(delivered, timer.get());
    EXPECT_TRUE(ProcessEventsUntil([&] { return store().mainMarker().position() == 1250.0f; }))
        << store().mainMarker().position();
}

}  // namespace
