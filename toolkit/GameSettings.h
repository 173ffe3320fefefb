#pragma once

#include "toolkit/GameKind.h"

#include <QByteArray>
#include <QSettings>
#include <QString>

// The user's choices that outlive a run, kept by QSettings in the game's own file, each with its
// own typed getter and setter. Open one where it is needed: GameSettings().highContrast().
//
// A new choice is one Choice line below and its getter and setter. Its key is what the files
// users already have hold: a key, once shipped, is never renamed.
class GameSettings final
{
public:
    GameSettings();

    // The table in high contrast ("สีตัดกันชัด"); off at first.
    bool highContrast() const { return read(kHighContrast); }
    void setHighContrast(bool on) { write(kHighContrast, on); }

    // The odds advisor ("ตัวช่วยคำนวณ") on; off at first.
    bool oddsAdvisor() const { return read(kOddsAdvisor); }
    void setOddsAdvisor(bool on) { write(kOddsAdvisor, on); }

    // The four-colour deck ("ไพ่สี่สี"); off at first.
    bool fourColourDeck() const { return read(kFourColourDeck); }
    void setFourColourDeck(bool on) { write(kFourColourDeck, on); }

    // Cards turned over with a short flip ("พลิกไพ่"); off at first.
    bool cardFlip() const { return read(kCardFlip); }
    void setCardFlip(bool on) { write(kCardFlip, on); }

    // The table's sounds ("เสียง"); off at first.
    bool sound() const { return read(kSound); }
    void setSound(bool on) { write(kSound, on); }

    // The name last played under at a shared table; empty at first.
    QString friendsName() const { return read(kFriendsName); }
    void setFriendsName(const QString &name) { write(kFriendsName, name); }
    // The table last joined, as typed ("192.168.1.20:47100"); empty at first.
    QString lastJoinedTable() const { return read(kLastJoinedTable); }
    void setLastJoinedTable(const QString &address) { write(kLastJoinedTable, address); }

    // A kind of game window's size and place as QWidget::saveGeometry() gives them; empty when
    // none is kept. What a file holds may be damaged: restoreGeometry() refuses what it cannot
    // read.
    QByteArray windowGeometry(GameKind kind) const;
    void setWindowGeometry(GameKind kind, const QByteArray &geometry);
    // Where the file keeps it: "windows/pokdeng/geometry".
    static QString windowGeometryKey(GameKind kind);

    // Forgets every choice: each reads its default again.
    void clear() { m_file.clear(); }

private:
    template<typename T> struct Choice
    {
        const char *key;
        T fallback;
    };
    static constexpr Choice<bool> kHighContrast { "table/highContrast", false };
    static constexpr Choice<bool> kOddsAdvisor { "table/oddsAdvisor", false };
    static constexpr Choice<bool> kSound { "table/sound", false };
    static constexpr Choice<bool> kFourColourDeck { "table/fourColourDeck", false };
    static constexpr Choice<bool> kCardFlip { "table/cardFlip", false };
    static constexpr Choice<const char *> kFriendsName { "friends/name", "" };
    static constexpr Choice<const char *> kLastJoinedTable { "friends/lastJoined", "" };

    template<typename T> T read(const Choice<T> &choice) const
    {
        return m_file.value(QString::fromLatin1(choice.key), choice.fallback).template value<T>();
    }
    // Texts are kept as UTF-8 text; the fallback is written in plain ASCII.
    QString read(const Choice<const char *> &choice) const
    {
        return m_file.value(QString::fromLatin1(choice.key), QString::fromLatin1(choice.fallback))
            .toString();
    }
    void write(const Choice<const char *> &choice, const QString &value)
    {
        m_file.setValue(QString::fromLatin1(choice.key), value);
    }
    template<typename T> void write(const Choice<T> &choice, const T &value)
    {
        m_file.setValue(QString::fromLatin1(choice.key), value);
    }

    QSettings m_file;
};
