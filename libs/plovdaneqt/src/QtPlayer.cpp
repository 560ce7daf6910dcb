#include <PlovdaneQt/QtPlayer.h>

#include <algorithm>

#include <QHBoxLayout>
#include <QPushButton>

namespace pld_qt {

namespace {

constexpr std::array<const char*, QtPlayerWidget::BUTTON_COUNT> kButtonNames = {
    "start", "record", "rewind", "play", "fastforward", "stop", "pause", "end", "repeat"};

bool IsValidIndex(int index) { return index >= 0 && index < QtPlayerWidget::BUTTON_COUNT; }

// An icon that can actually be drawn: QIcon keeps a file name it could not
// read and then reports an empty size.
bool IsUsable(const QIcon& icon, const QSize& requested)
{
    return !icon.isNull() && !icon.actualSize(requested).isEmpty();
}

}  // namespace

QtPlayerWidget::QtPlayerWidget() : QWidget(nullptr)
{
    // Receivers that are queued, or that look the signal's types up by name.
    qRegisterMetaType<QEvent::Type>();
    auto* layout = new QHBoxLayout(this);
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        auto* button = new QPushButton(this);
        button->setFlat(true);
        button->setCheckable(false);
        button->installEventFilter(this);
        layout->addWidget(button);
        m_buttons[i] = button;
        m_icons.append(QIcon());
        m_highlightIcons.append(QIcon());
        showButtonIcon(i);
    }
    layout->addStretch();
}

QtPlayerWidget::~QtPlayerWidget() = default;

const char* QtPlayerWidget::buttonName(int index) { return IsValidIndex(index) ? kButtonNames[index] : ""; }

QPushButton* QtPlayerWidget::button(int index) const { return IsValidIndex(index) ? m_buttons[index] : nullptr; }

void QtPlayerWidget::setButtonIcon(int index, const QIcon& icon)
{
    if (!IsValidIndex(index)) return;
    m_icons[index] = icon;
    showButtonIcon(index);
}

void QtPlayerWidget::setButtonHighlightIcon(int index, const QIcon& icon)
{
    if (!IsValidIndex(index)) return;
    m_highlightIcons[index] = icon;
    if (index == m_current) showButtonIcon(index);
}

const QIcon* QtPlayerWidget::shownIcon(int index) const
{
    if (index == m_current && IsUsable(m_highlightIcons[index], kRequestedIconSize)) return &m_highlightIcons[index];
    if (IsUsable(m_icons[index], kRequestedIconSize)) return &m_icons[index];
    return nullptr;
}

void QtPlayerWidget::showButtonIcon(int index)
{
    QPushButton* button = m_buttons[index];
    if (const QIcon* icon = shownIcon(index)) {
        const QSize size = icon->actualSize(kRequestedIconSize);
        button->setText(QString());
        button->setIcon(*icon);
        button->setIconSize(size);
        button->setMaximumSize(size);
    } else {
        button->setIcon(QIcon());
        button->setText(QString::fromLatin1(kButtonNames[index]));
        button->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

QSize QtPlayerWidget::sizeHint() const
{
    int width = 0;
    int height = 0;
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const QIcon* icon = shownIcon(i);
        const QSize size = icon ? icon->actualSize(kRequestedIconSize) : m_buttons[i]->sizeHint();
        width += size.width();
        height = std::max(height, size.height());
    }
    return QSize(width, height);
}

int QtPlayerWidget::indexOf(const QObject* object) const
{
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), object);
    return it == m_buttons.end() ? -1 : static_cast<int>(it - m_buttons.begin());
}

bool QtPlayerWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const int index = indexOf(watched);
        if (index >= 0 && m_buttons[index]->isEnabled()) emit buttonClicked(index, event->type());
    }
    return QWidget::eventFilter(watched, event);
}

void QtPlayerWidget::clickButton(int index, QEvent::Type type) { emit buttonClicked(index, type); }

void QtPlayerWidget::clickButton(int index) { emit buttonClicked(index, QEvent::MouseButtonRelease); }

}  // namespace pld_qt
