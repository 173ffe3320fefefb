#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// The chat of a table others share: the lines said so far, each with who said it, one line to
// type, and buttons for a few quick phrases. Every line is plain text, never markup, and no line
// is longer than kMostLength characters, whatever a connection sends. Each new line of someone
// else is told to screen readers.
//
// Keys: F6, anywhere in the window, goes to the line to type and, from there, back to the table
// (tableWanted); Tab goes on from the line to the quick phrases. Keys typed into the line are
// text, never the table's keys.
class ChatPanel final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMostLength = 200;
    // Older lines than these go.
    static constexpr int kMostLines = 200;

    explicit ChatPanel(QWidget *parent = nullptr);

    // A line someone said; mine is true for the person's own, which screen readers are not told
    // again.
    void addLine(const QString &name, const QString &text, bool mine = false);
    // A line from the table to this person alone (their lines were dropped, say), with no name;
    // told to screen readers.
    void addNotice(const QString &text);
    // The lines shown, "name: text" each.
    QStringList lines() const;

signals:
    // The person typed text and sent it with Enter.
    void said(const QString &text);
    // The person chose the quick phrase of that number (net::quickPhrases()).
    void saidPhrase(int phrase);
    // F6 in the line to type: the keyboard goes back to the table.
    void tableWanted();

private:
    void sendTyped();

    QPlainTextEdit *m_lines = nullptr;
    QLineEdit *m_typed = nullptr;
};
