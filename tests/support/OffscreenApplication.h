#pragma once

#include <QApplication>
#include <QTemporaryDir>

// The QApplication of the window tests, the benchmarks and the screenshot tool: offscreen unless
// QT_QPA_PLATFORM names another platform, the game's Thai fonts, and a fresh empty folder to work
// in and keep the settings in, so that no score file or setting of the developer's is read or
// written.
class OffscreenApplication
{
public:
    OffscreenApplication(int &argc, char **argv);

private:
    QApplication m_app;
    QTemporaryDir m_folder;
};

// Hands the pending events to their widgets: pictures, layouts, paints, deferred deletes.
void settleEvents();
