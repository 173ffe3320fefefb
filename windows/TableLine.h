#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The line about a shared table under it (where it is hosted and its join code, or where it was
// joined), with a button that copies what the line offers to copy, for pasting to friends. The
// button shows only while there is something to copy; the whole line hides while it is empty.
class TableLine final : public QWidget
{
    Q_OBJECT
public:
    explicit TableLine(QWidget *parent = nullptr);

    // Shows line, said to screen readers; toCopy, when not empty, is what the copy button puts on
    // the clipboard.
    void showLine(const QString &line, const QString &toCopy = {});
    QString text() const;

private:
    QLabel *m_line;
    QPushButton *m_copy;
    QString m_toCopy;
};
