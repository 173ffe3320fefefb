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
    // The lines shown, "name: text" each.
    QStringList lines() const;

signals:
    // The person typed text and sent it with Enter.
    void said(const QString &text);
    // The person chose the quick phrase of that number (net::quickPhrases()).
    void saidPhrase(int phrase);

private:
    void sendTyped();

    QPlainTextEdit *m_lines = nullptr;
    QLineEdit *m_typed = nullptr;
};
