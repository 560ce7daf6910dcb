#pragma once
// The start-up window: an image above a line of progress text.
#include <string>

#include <QString>
#include <QWidget>

class QLabel;

namespace hlv_app {

class QtSplashScreen : public QWidget {
    Q_OBJECT

public:
    // A missing or unreadable image leaves the image label empty.
    explicit QtSplashScreen(const std::string& imagePath);

    // Replaces the text and repaints it at once (start-up runs before the
    // event loop).
    void ShowText(const QString& text);
    QString Text() const;
    const std::string& ImagePath() const { return m_imagePath; }
    bool HasImage() const;

private:
    std::string m_imagePath;
    QLabel* m_textLabel;
    QLabel* m_imageLabel;
};

}  // namespace hlv_app
