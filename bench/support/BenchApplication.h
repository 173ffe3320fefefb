#pragma once

#include <QApplication>
#include <QTemporaryDir>

// The QApplication of a window benchmark: offscreen unless QT_QPA_PLATFORM names another
// platform, the game's Thai fonts, and a fresh empty folder to work in and keep settings in, so
// that no score file or saved window size of the developer's is read or written.
class BenchApplication
{
public:
    BenchApplication(int &argc, char **argv);

private:
    QTemporaryDir m_folder;
    QApplication m_app;
};

// Hands the pending events to their widgets: pictures, layouts, paints, deferred deletes.
void settleEvents();
