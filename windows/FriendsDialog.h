#pragma once

#include "toolkit/FixedDialog.h"

#include <QString>

#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;
class TableFinder;

// How a person wants to play with friends: host a table from this game, or join one.
struct FriendsChoice
{
    enum class Role { Host, Join };
    Role role = Role::Host;
    QString name;
    QString address; // the table's host, when joining
    quint16 port = 0; // the table's TCP port
    QString code; // the join code the host gives to friends, and those who join type
    // Host: whether the table announces itself by broadcast on the local network. The window's
    // เปิดโต๊ะ does (friends at home find it); `pokdeng --host` only with --announce.
    bool announce = true;

    friend bool operator==(const FriendsChoice &, const FriendsChoice &) = default;
};

// "เล่นกับเพื่อน": the person's name (the record's name rules), and either เปิดโต๊ะ (a port, and
// the join code to give to friends) or เข้าร่วมโต๊ะ (a table found on the local network, or a
// typed address, and the code its host gave). The confirming button is named for what it does
// (เปิดโต๊ะ or เข้าร่วม) and closes the dialog only when the choice is complete; otherwise it
// says, in Thai, what is missing. The name and the table last joined are filled in as they were
// last confirmed.
class FriendsDialog final : public FixedDialog
{
    Q_OBJECT
public:
    // finder, when given, lists the tables heard of on the local network; it must outlive the
    // dialog.
    explicit FriendsDialog(TableFinder *finder, QWidget *parent = nullptr);

    // What the person chose, once the dialog was accepted.
    const std::optional<FriendsChoice> &choice() const { return m_choice; }

private:
    void showFoundTables();
    void showRole();
    void tryAccept();

    TableFinder *m_finder;
    QLineEdit *m_name = nullptr;
    QRadioButton *m_host = nullptr;
    QRadioButton *m_join = nullptr;
    QWidget *m_hostPart = nullptr;
    QWidget *m_joinPart = nullptr;
    QSpinBox *m_port = nullptr;
    QLabel *m_hostCode = nullptr;
    QListWidget *m_found = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_code = nullptr;
    QLabel *m_problem = nullptr;
    QPushButton *m_ok = nullptr;
    std::optional<FriendsChoice> m_choice;
};
