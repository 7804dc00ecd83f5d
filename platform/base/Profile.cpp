// The profile on QSettings INI files (Profile.h): section and entry names are encoded so that every
// value reads back byte for byte; a write (or a group of writes) replaces the file atomically, and a
// lock file left behind by a killed process is cleared instead of waited for.
#include "platform/base/Profile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace {
std::mutex g_mutex;
std::unique_ptr<QSettings> g_settings;
QString g_registryKey;
QString g_appName;
int g_groupDepth = 0;   // open CProfileWriteGroup scopes: writes wait for the outermost to end

QString ProfilePath()
{
    QString app = g_appName;
    if (app.isEmpty())
        app = QCoreApplication::applicationName();
    if (app.isEmpty())
        app = QStringLiteral("application");
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!g_registryKey.isEmpty())
        dir += QLatin1Char('/') + g_registryKey;
    return dir + QLatin1Char('/') + app + QStringLiteral(".ini");
}

QSettings& Settings()
{
    if (!g_settings) {
        const QString path = ProfilePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        g_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    return *g_settings;
}

// QSettings reads '/' and '\\' in names as group separators; section and entry
// names are plain names here, so those characters (and the escape) are encoded.
QString Name(const char* s)
{
    QString out;
    for (const QChar c : QString::fromUtf8(s)) {
        if (c == QLatin1Char('%'))
            out += QStringLiteral("%25");
        else if (c == QLatin1Char('/'))
            out += QStringLiteral("%2F");
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("%5C");
        else
            out += c;
    }
    return out;
}

QString Key(const char* section, const char* entry) { return Name(section) + QLatin1Char('/') + Name(entry); }

bool ValidNames(const char* section, const char* entry) { return section && *section && entry && *entry; }

// The stored value; invalid when the entry is missing.
QVariant Stored(const char* section, const char* entry)
{
    QSettings& s = Settings();
    if (g_groupDepth == 0)
        s.sync();   // take up changes made to the file by others (a group keeps its own pending)
    return s.value(Key(section, entry));
}

// The stored text as bytes; false when the entry is missing.
bool ReadText(const char* section, const char* entry, QByteArray& out)
{
    const QVariant v = Stored(section, entry);
    if (!v.isValid())
        return false;
    switch (v.typeId()) {
    case QMetaType::QByteArray:
        out = v.toByteArray();   // text that is not UTF-8 is kept as bytes
        return true;
    case QMetaType::QStringList:
        // A file edited by hand may hold an unquoted comma list.
        out = v.toStringList().join(QLatin1Char(',')).toUtf8();
        return true;
    default:
        out = v.toString().toUtf8();
        return true;
    }
}

// QSettings guards its writes with "<file>.lock" and waits 30 s before it takes an unreadable one
// (the empty file a kill leaves) for stale. The same lock, asked first with a stale time of one
// second, removes such a file or one whose owner is gone; one held by a live process is left alone.
void ClearStaleLock(const QSettings& s)
{
    const QString lockPath = s.fileName() + QStringLiteral(".lock");
    if (!QFileInfo::exists(lockPath))
        return;
    QLockFile probe(lockPath);
    probe.setStaleLockTime(1000);
    if (probe.tryLock(1500))
        probe.unlock();
}

BOOL Commit(QSettings& s)
{
    if (g_groupDepth > 0)
        return TRUE;   // written when the outermost group ends
    ClearStaleLock(s);
    s.sync();
    return s.status() == QSettings::NoError;
}
}

void AfxSetProfileKey(const char* registryKey, const char* appName)
{
    std::lock_guard lock(g_mutex);
    QString key = QString::fromUtf8(registryKey ? registryKey : "");
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (key.startsWith(QLatin1Char('/')))
        key.remove(0, 1);
    while (key.endsWith(QLatin1Char('/')))
        key.chop(1);
    g_registryKey = key;
    g_appName = QString::fromUtf8(appName ? appName : "");
    g_settings.reset();
}

CString AfxGetProfilePath()
{
    std::lock_guard lock(g_mutex);
    return CString(Settings().fileName().toUtf8().toStdString());
}

CString AfxGetProfileString(const char* section, const char* entry, const char* def)
{
    std::lock_guard lock(g_mutex);
    QByteArray text;
    if (!ValidNames(section, entry) || !ReadText(section, entry, text))
        return CString(def);
    return CString(text.constData(), (int)text.size());
}

UINT AfxGetProfileInt(const char* section, const char* entry, int def)
{
    std::lock_guard lock(g_mutex);
    QByteArray text;
    if (!ValidNames(section, entry) || !ReadText(section, entry, text))
        return (UINT)def;
    const QByteArray trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return (UINT)def;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(trimmed.constData(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < -2147483648LL || v > 4294967295LL)
        return (UINT)def;
    return (UINT)v;
}

BOOL AfxWriteProfileString(const char* section, const char* entry, const char* value)
{
    std::lock_guard lock(g_mutex);
    if (!section || !*section)
        return FALSE;
    QSettings& s = Settings();
    if (!entry) {
        s.remove(Name(section));
        return Commit(s);
    }
    if (!*entry)
        return FALSE;
    if (!value) {
        s.remove(Key(section, entry));
        return Commit(s);
    }
    const QByteArray bytes(value);
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes)
        s.setValue(Key(section, entry), text);
    else
        s.setValue(Key(section, entry), bytes);
    return Commit(s);
}

BOOL AfxWriteProfileInt(const char* section, const char* entry, int value)
{
    return AfxWriteProfileString(section, entry, QByteArray::number(value).constData());
}

BOOL AfxGetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& out)
{
    std::lock_guard lock(g_mutex);
    out.clear();
    if (!ValidNames(section, entry))
        return FALSE;
    const QVariant v = Stored(section, entry);
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
        return FALSE;
    const QByteArray bytes = v.toByteArray();
    out.assign(bytes.begin(), bytes.end());
    return TRUE;
}

BOOL AfxWriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT size)
{
    std::lock_guard lock(g_mutex);
    if (!ValidNames(section, entry) || (!data && size > 0))
        return FALSE;
    QSettings& s = Settings();
    s.setValue(Key(section, entry), QByteArray(reinterpret_cast<const char*>(data), (qsizetype)size));
    return Commit(s);
}

CProfileWriteGroup::CProfileWriteGroup()
{
    std::lock_guard lock(g_mutex);
    ++g_groupDepth;
}

CProfileWriteGroup::~CProfileWriteGroup()
{
    Commit();
}

BOOL CProfileWriteGroup::Commit()
{
    std::lock_guard lock(g_mutex);
    if (!m_open)
        return TRUE;
    m_open = false;
    --g_groupDepth;
    return ::Commit(Settings());
}
