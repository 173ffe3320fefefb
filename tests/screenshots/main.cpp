// Draws every window of the game into PNG files, for looking at what a change did to the
// screen: ./pokdeng_screenshots [folder]. Runs offscreen, whose pictures are the same as a real
// window's. The table is also drawn at twice its size, maximised (on a 1920 x 1080 screen:
// QT_QPA_PLATFORM=offscreen:configfile=F with F {"screens": [{"name": "s", "x": 0, "y": 0,
// "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1}]}), at a wide odd size, and in the
// middle of a slide.
#include "shell/Form1.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardSlider.h"
#include "toolkit/ScoreStore.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Toolkit.h"
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
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Answers every message box at once, so a round can be played through to its end.
class AnsweringToolkit final : public Toolkit
{
public:
    Answer messageBox(QWidget *, const QString &, Style style, const QString &) override
    {
        return style == Style::QuestionYesNo ? Answer::Yes : Answer::Ok;
    }
    void endProgram() override { }
    bool isEnding() const override { return false; }
};

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
    // Every window opens at its design size, whatever sizes the developer's game kept.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
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
    const QSize designSize = table.size();
    const int menuHeight
        = designSize.height() - table.findChild<QWidget *>(QStringLiteral("client"))->height();
    const auto client = [&](QSize size) { return size + QSize(0, menuHeight); };
    table.resize(client(designSize.shrunkBy({ 0, menuHeight, 0, 0 }) * 2));
    save(table, folder, QStringLiteral("table-round-2x"));
    table.resize(client(QSize(995, 834))); // 2.37 times
    save(table, folder, QStringLiteral("table-round-2.37x"));
    table.resize(client(QSize(1000, 500)));
    save(table, folder, QStringLiteral("table-round-wide"));
    table.showMaximized();
    save(table, folder, QStringLiteral("table-round-maximised"));
    table.showNormal();
    table.resize(designSize);
    QApplication::processEvents();

    // A card on its way, at 2x: drawn above the options and the labels it crosses.
    {
        Frmpok sliding(nullptr, &random);
        sliding.resize(client(designSize.shrunkBy({ 0, menuHeight, 0, 0 }) * 2));
        sliding.show();
        QApplication::processEvents();
        CardSlider::setInstant(false);
        QTimer::singleShot(1900,
                           [&] { save(sliding, folder, QStringLiteral("table-sliding-2x")); });
        sliding.findChild<QRadioButton *>(QStringLiteral("Opt1000"))->click();
        CardSlider::setInstant(true);
    }
    // The windows below open at their design size again.
    QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng")).clear();

    // A finished round whose money beats an empty record offers to save it.
    QFile::remove(QStringLiteral("point.pon"));
    AnsweringToolkit answering;
    Toolkit::install(&answering);
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
    Toolkit::install(nullptr);
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
