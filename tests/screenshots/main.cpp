// Draws every window of the game into PNG files, for looking at what a change did to the
// screen: ./pokdeng_screenshots [folder]. Runs offscreen, whose pictures are the same as a real
// window's.
#include "record/Frmpoint.h"
#include "record/ScoreStore.h"
#include "table/CardSlider.h"
#include "table/Frmpok.h"
#include "windows/CardLibrary.h"
#include "windows/Form1.h"
#include "windows/Frmabout.h"
#include "windows/PlaceholderGame.h"
#include "windows/ThaiFonts.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>

namespace {

void save(QWidget &window, const QString &folder, const QString &name)
{
    window.show();
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installThaiFontSubstitutions();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    CardSlider::setInstant(true);
    writeScoreFile(QStringLiteral("สมชาย ใจดี"), 25000.5);

    Form1 start;
    save(start, folder, QStringLiteral("start"));

    pokdeng::SeededRandom random(20261210);
    Frmpok table(nullptr, &random);
    save(table, folder, QStringLiteral("table-waiting"));
    table.findChild<QRadioButton *>(QStringLiteral("Opt1000"))->click();
    save(table, folder, QStringLiteral("table-round"));

    Frmpoint record;
    save(record, folder, QStringLiteral("record"));
    Frm9ga nineGa;
    save(nineGa, folder, QStringLiteral("9ga"));
    Frmdum dummy;
    save(dummy, folder, QStringLiteral("dummy"));
    Frmabout about;
    save(about, folder, QStringLiteral("about"));
    return 0;
}
