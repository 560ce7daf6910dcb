#include <halvo_app/Qt/QtSplashScreen.h>

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace hlv_app {

QtSplashScreen::QtSplashScreen(const std::string& imagePath)
    : QWidget(nullptr, Qt::SplashScreen),
      m_imagePath(imagePath),
      m_textLabel(new QLabel(this)),
      m_imageLabel(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    const QPixmap image(QString::fromStdString(imagePath));
    if (!image.isNull()) m_imageLabel->setPixmap(image);
    layout->addWidget(m_imageLabel);
    layout->addWidget(m_textLabel);
    setMinimumWidth(600);
}

void QtSplashScreen::ShowText(const QString& text)
{
    m_textLabel->clear();
    m_textLabel->setText(text);
    m_textLabel->repaint();
}

QString QtSplashScreen::Text() const { return m_textLabel->text(); }

bool QtSplashScreen::HasImage() const { return !m_imageLabel->pixmap(Qt::ReturnByValue).isNull(); }

}  // namespace hlv_app
