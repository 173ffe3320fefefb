// The baseline of the start-up race: the least a Qt Widgets program that shows Thai text does, a
// dialog with one label.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("ป๊อกเด้ง"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("ป๊อกเด้ง เงินคงเหลือ = 10000"), &dialog));
    dialog.show();
    return QApplication::exec();
}
