// Draws every window of the game into PNG files, for looking at what a change did to the
// screen: ./pokdeng_screenshots [folder]. Runs offscreen, whose pictures are the same as a real
// window's.
#include "shell/Form1.h"
#include "support/SimulatedPlay.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardSlider.h"
#include "toolkit/ScoreStore.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Toolkit.h"
#include "windows/Frmabout.h"
#include "windows/Frmhistory.h"
#include "windows/Frmpoint.h"
#include "windows/Frmpok.h"
#include "windows/Frmrules.h"
#include "windows/PlaceholderGame.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>

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

    // The play history after a few hundred rounds over several tables, and the rules page.
    const QString historyFile = folder + QStringLiteral("/history.sqlite");
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
        QFile::remove(historyFile + suffix);
    HistoryStore history(historyFile);
    playIntoHistory(history, 400, 20261210, 1'765'000'000'000);
    Frmhistory statistics(history);
    save(statistics, folder, QStringLiteral("history-table"));
    statistics.setScope(HistoryStore::Scope::AllTime);
    save(statistics, folder, QStringLiteral("history-all"));
    statistics.resize(640, 560);
    save(statistics, folder, QStringLiteral("history-small"));

    Frmrules rules;
    save(rules, folder, QStringLiteral("rules"));
    QScrollBar *scroll = rules.findChild<QTextBrowser *>()->verticalScrollBar();
    for (int page = 1; scroll->value() < scroll->maximum(); ++page) {
        scroll->setValue(scroll->value() + scroll->pageStep());
        save(rules, folder, QStringLiteral("rules-%1").arg(page));
    }
    return 0;
}
