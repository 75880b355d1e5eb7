// The floor that Qt itself sets: a bare Qt Widgets program showing one fixed 637 x 465
// window with one stretched JPEG, the shape of Lumora's main window without anything
// of Lumora. Given the argument "caption" it also shows one push button with a caption,
// which tells how much of what lies above the floor any window with text pays for
// Qt's fonts.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace {

class Stretched : public QWidget
{
public:
    Stretched() : m_picture(QStringLiteral(":/assets/main-background.jpg")) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_picture);
    }

private:
    QPixmap m_picture;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Stretched window;
    window.setFixedSize(637, 465);
    window.setWindowTitle(QStringLiteral("Baseline"));
    if (argc > 1 && qstrcmp(argv[1], "caption") == 0)
        (new QPushButton(QStringLiteral("Quit"), &window))->setGeometry(464, 368, 73, 41);
    window.show();
    return QApplication::exec();
}
