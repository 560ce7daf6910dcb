#pragma once
// A row of nine flat icon buttons in the manner of a media player. The widget
// acts on nothing itself: it reports which enabled button was released.
#include <array>

#include <QEvent>
#include <QIcon>
#include <QList>
#include <QSize>
#include <QWidget>

class QPushButton;

namespace pld_qt {

class QtPlayerWidget : public QWidget {
    Q_OBJECT

public:
    enum Button {
        BUTTON_START = 0,
        BUTTON_RECORD = 1,
        BUTTON_REWIND = 2,
        BUTTON_PLAY = 3,
        BUTTON_FASTFORWARD = 4,
        BUTTON_STOP = 5,
        BUTTON_PAUSE = 6,
        BUTTON_END = 7,
        BUTTON_REPEAT = 8,
        BUTTON_COUNT = 9
    };

    QtPlayerWidget();
    ~QtPlayerWidget() override;

    // Shows the icon on the button and limits the button to the icon's size.
    // A null icon, or one whose file could not be read, leaves the button
    // showing its name at its natural size instead.
    void setButtonIcon(int index, const QIcon& icon);
    // The icon the highlighted button shows in place of its normal one.
    void setButtonHighlightIcon(int index, const QIcon& icon);

    QPushButton* button(int index) const;
    // Index of the highlighted button.
    int currentButton() const { return m_current; }

    QSize sizeHint() const override;

    // The name of a button as used in its icon file names ("play", "stop", ...).
    static const char* buttonName(int index);

signals:
    void buttonClicked(int index, QEvent::Type type);

public slots:
    void clickButton(int index, QEvent::Type type);
    void clickButton(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr QSize kRequestedIconSize{100, 100};

    // The icon button `index` shows, or null when it shows its name.
    const QIcon* shownIcon(int index) const;
    void showButtonIcon(int index);
    int indexOf(const QObject* object) const;

    QList<QIcon> m_highlightIcons;
    QList<QIcon> m_icons;
    std::array<QPushButton*, BUTTON_COUNT> m_buttons{};
    int m_current = BUTTON_STOP;
};

}  // namespace pld_qt
