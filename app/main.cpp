#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("brambleon"));
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Brambleon Assistant"));
    label.show();
    return app.exec();
}
