// Draws every window of the game into PNG files, for looking at what a change did to the
// screen: ./pokdeng_screenshots [folder]. Runs offscreen, whose pictures are the same as a real
// window's.
#include "shell/Form1.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardSlider.h"
#include "toolkit/ScoreStore.h"
#include "windows/Frmabout.h"
#include "windows/Frmpoint.h"
#include "windows/Frmpok.h"
#include "windows/PlaceholderGame.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

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
    const QString folder
        = QDir().absoluteFilePath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    OffscreenApplication app(argc, argv);
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

    // The focus ring, around a bet option and around a turn button.
    Frmpok focused(nullptr, &random);
    focused.show();
    QApplication::setActiveWindow(&focused);
    auto *thousand = focused.findChild<QRadioButton *>(QStringLiteral("Opt1000"));
    thousand->setFocus(Qt::TabFocusReason);
    save(focused, folder, QStringLiteral("table-focus-bet"));
    thousand->click();
    for (const char *turn : { "Cmdreq", "cmdnoreq" }) {
        auto *button = focused.findChild<QPushButton *>(QString::fromLatin1(turn));
        if (!button->isHidden()) {
            button->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    save(focused, folder, QStringLiteral("table-focus-turn"));

    // A finished round whose money beats an empty record offers to save it.
    QFile::remove(QStringLiteral("point.pon"));
    std::optional<GoingOnToolkit> goingOn(std::in_place);
    Frmpok saving(nullptr, &random);
    saving.findChild<QRadioButton *>(QStringLiteral("Opt1000"))->click();
    for (const char *turn : { "cmdnoreq", "Cmdreq" }) {
        auto *button = saving.findChild<QPushButton *>(QString::fromLatin1(turn));
        if (button->isVisible() || !button->isHidden()) {
            button->click();
            break;
        }
    }
    saving.findChild<QLineEdit *>(QStringLiteral("txtname"))->setText(QStringLiteral("สมหญิง"));
    save(saving, folder, QStringLiteral("table-save"));
    goingOn.reset();
    writeScoreFile(QStringLiteral("สมชาย ใจดี"), 25000.5);

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
