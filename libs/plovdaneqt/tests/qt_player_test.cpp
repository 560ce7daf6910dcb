// The player's nine buttons on Qt's offscreen platform.
#include <PlovdaneQt/QtPlayer.h>

#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "qt_test_application.h"

using pld_qt::QtPlayerWidget;

namespace {

struct QtPlayerTest : QtApplicationTest {

    static QString IconPath(const char* name, bool highlight)
    {
        return QStringLiteral(PLD_QT_ICON_DIR "/control_%1%2.png")
            .arg(QLatin1String(name), highlight ? QStringLiteral("_blue") : QString());
    }

    // Icons as the demo sets them.
    void SetAllIcons()
    {
        for (int index : {3, 5, 6, 2, 4, 8, 0, 7, 1}) {
            player.setButtonIcon(index, QIcon(IconPath(QtPlayerWidget::buttonName(index), false)));
            player.setButtonHighlightIcon(index, QIcon(IconPath(QtPlayerWidget::buttonName(index), true)));
        }
    }

    QtPlayerWidget player;
};

TEST_F(QtPlayerTest, ReleaseEmitsOncePressNever)
{
    QSignalSpy spy(&player, &QtPlayerWidget::buttonClicked);
    QTest::mousePress(player.button(QtPlayerWidget::BUTTON_PLAY), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseRelease(player.button(QtPlayerWidget::BUTTON_PLAY), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
    EXPECT_EQ(spy.at(0).at(1).value<QEvent::Type>(), QEvent::MouseButtonRelease);

    QTest::mouseClick(player.button(QtPlayerWidget::BUTTON_STOP), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 5);
}

TEST_F(QtPlayerTest, DisabledButtonNeverEmits)
{
    QSignalSpy spy(&player, &QtPlayerWidget::buttonClicked);
    player.button(QtPlayerWidget::BUTTON_PAUSE)->setEnabled(false);
    QTest::mouseClick(player.button(QtPlayerWidget::BUTTON_PAUSE), Qt::LeftButton);
    QTest::mouseRelease(player.button(QtPlayerWidget::BUTTON_PAUSE), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    player.button(QtPlayerWidget::BUTTON_PAUSE)->setEnabled(true);
    QTest::mouseClick(player.button(QtPlayerWidget::BUTTON_PAUSE), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(QtPlayerTest, ClickButtonSlotsEmitForTheIndex)
{
    QSignalSpy spy(&player, &QtPlayerWidget::buttonClicked);
    player.clickButton(4);
    player.clickButton(2, QEvent::MouseButtonPress);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 4);
    EXPECT_EQ(spy.at(0).at(1).value<QEvent::Type>(), QEvent::MouseButtonRelease);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 2);
    EXPECT_EQ(spy.at(1).at(1).value<QEvent::Type>(), QEvent::MouseButtonPress);
}

TEST_F(QtPlayerTest, ButtonsAreFlatAndInIndexOrder)
{
    EXPECT_EQ(player.currentButton(), QtPlayerWidget::BUTTON_STOP);
    int previousX = -1;
    player.resize(800, 60);
    player.show();
    for (int i = 0; i < QtPlayerWidget::BUTTON_COUNT; ++i) {
        QPushButton* button = player.button(i);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isFlat());
        EXPECT_FALSE(button->isCheckable());
        EXPECT_GT(button->x(), previousX);
        previousX = button->x();
    }
    EXPECT_EQ(player.button(-1), nullptr);
    EXPECT_EQ(player.button(9), nullptr);
    player.setButtonIcon(9, QIcon());  // ignored
}

TEST_F(QtPlayerTest, MissingIconLeavesAUsableButton)
{
    player.setButtonIcon(3, QIcon(QStringLiteral("/no/such/dir/control_play.png")));
    player.setButtonHighlightIcon(5, QIcon(QStringLiteral("/no/such/dir/control_stop_blue.png")));
    for (int index : {3, 5}) {
        QPushButton* button = player.button(index);
        EXPECT_EQ(button->text(), QString::fromLatin1(QtPlayerWidget::buttonName(index)));
        EXPECT_GT(button->maximumWidth(), 20);
        EXPECT_GT(button->sizeHint().width(), 0);
        EXPECT_GT(button->sizeHint().height(), 0);
    }
    EXPECT_GT(player.sizeHint().width(), 0);
    EXPECT_GT(player.sizeHint().height(), 0);

    player.resize(player.sizeHint());
    player.show();
    EXPECT_GT(player.button(3)->width(), 0);
    QSignalSpy spy(&player, &QtPlayerWidget::buttonClicked);
    QTest::mouseClick(player.button(3), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(QtPlayerTest, CommittedIconsLoadAndSizeTheButtons)
{
    for (int i = 0; i < QtPlayerWidget::BUTTON_COUNT; ++i) {
        for (bool highlight : {false, true}) {
            const QString path = IconPath(QtPlayerWidget::buttonName(i), highlight);
            ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();
            EXPECT_EQ(QIcon(path).actualSize(QSize(100, 100)), QSize(32, 32)) << path.toStdString();
        }
    }
    SetAllIcons();
    for (int i = 0; i < QtPlayerWidget::BUTTON_COUNT; ++i) {
        EXPECT_TRUE(player.button(i)->text().isEmpty());
        EXPECT_EQ(player.button(i)->maximumSize(), QSize(32, 32));
    }
    EXPECT_EQ(player.sizeHint(), QSize(9 * 32, 32));
}

TEST_F(QtPlayerTest, OnlyTheCurrentButtonShowsItsHighlight)
{
    SetAllIcons();
    const auto shows = [&](int index, bool highlight) {
        const QImage shown = player.button(index)->icon().pixmap(32, 32).toImage();
        const QImage expected = QIcon(IconPath(QtPlayerWidget::buttonName(index), highlight)).pixmap(32, 32).toImage();
        return shown.convertToFormat(QImage::Format_ARGB32) == expected.convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_TRUE(shows(QtPlayerWidget::BUTTON_STOP, true));
    EXPECT_TRUE(shows(QtPlayerWidget::BUTTON_PLAY, false));
    EXPECT_FALSE(shows(QtPlayerWidget::BUTTON_PLAY, true));
    EXPECT_TRUE(shows(QtPlayerWidget::BUTTON_PAUSE, false));
}

}  // namespace
