#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/mount.h>

// A file system mounted on an empty folder for as long as the object lives, when the machine
// allows it (root with the right to mount): a small tmpfs, or the folder itself again, read-only.
class TemporaryMount
{
public:
    enum Kind { SmallTmpfs, ReadOnlyView };

    TemporaryMount(Kind kind, const QString &folder,
                   const char *tmpfsOptions = "size=64k,mode=0755")
        : m_path(QFile::encodeName(folder))
    {
        const char *path = m_path.constData();
        if (kind == SmallTmpfs) {
            m_mounted = mount("tmpfs", path, "tmpfs", 0, tmpfsOptions) == 0;
        } else if (mount(path, path, nullptr, MS_BIND, nullptr) == 0) {
            m_mounted = true;
            if (mount(nullptr, path, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
                unmount();
                m_mounted = false;
            }
        }
    }
    ~TemporaryMount()
    {
        if (m_mounted)
            unmount();
    }
    TemporaryMount(const TemporaryMount &) = delete;
    TemporaryMount &operator=(const TemporaryMount &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return QFile::decodeName(m_path); }

private:
    // Detached, so that it goes even while a test that failed early still stands in it.
    void unmount() { umount2(m_path.constData(), MNT_DETACH); }

    QByteArray m_path;
    bool m_mounted = false;
};
