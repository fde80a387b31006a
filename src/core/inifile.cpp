#include "core/inifile.h"
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Files larger than this are not settings or language files; treat them as unreadable
// rather than holding them in memory.
constexpr qint64 MaxIniSize = 8 * 1024 * 1024;

const char Utf8Mark[] = "\xEF\xBB\xBF";

// A stored line without its ending (and without the UTF-8 mark the first line may
// carry).
QByteArray lineText(const QList<QByteArray> &lines, int i)
{
    QByteArray line = lines[i];
    if (i == 0 && line.startsWith(Utf8Mark))
        line.remove(0, 3);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool isSectionHeader(const QByteArray &trimmed)
{
    return trimmed.startsWith('[');
}

QByteArray sectionName(const QByteArray &trimmed)
{
    const int close = trimmed.indexOf(']');
    const QByteArray inner = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    return inner.trimmed();
}

bool sameName(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Splits a "key=value" line; false for lines that hold no key.
bool splitKeyLine(const QByteArray &line, QByteArray *key, QByteArray *value)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || isSectionHeader(trimmed))
        return false;
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    QByteArray v = line.mid(eq + 1).trimmed();
    // A value written in matching quotes is read without them.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    *value = v;
    return true;
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxIniSize)
        return;
    m_exists = true;
    const QByteArray data = file.readAll();
    if (!data.contains("\r\n") && data.contains('\n'))
        m_eol = "\n";
    // Each line keeps its own ending (and the first one a UTF-8 mark), so that a
    // save gives back every line that was not set byte for byte.
    qsizetype from = 0;
    while (from < data.size()) {
        const qsizetype newline = data.indexOf('\n', from);
        const qsizetype to = newline < 0 ? data.size() : newline + 1;
        m_lines.append(data.mid(from, to - from));
        from = to;
    }
}

int IniFile::findSection(const QByteArray &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QByteArray trimmed = lineText(m_lines, i).trimmed();
        if (isSectionHeader(trimmed) && sameName(sectionName(trimmed), section))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && !isSectionHeader(lineText(m_lines, i).trimmed()))
        ++i;
    return i;
}

int IniFile::findKey(int header, const QByteArray &key) const
{
    const int end = sectionEnd(header);
    QByteArray k, v;
    for (int i = header + 1; i < end; ++i) {
        if (splitKeyLine(lineText(m_lines, i), &k, &v) && sameName(k, key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> IniFile::value(const QByteArray &section, const QByteArray &key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    QByteArray k, v;
    splitKeyLine(lineText(m_lines, line), &k, &v);
    return v;
}

QByteArray IniFile::value(const QByteArray &section, const QByteArray &key,
                          const QByteArray &fallback) const
{
    return value(section, key).value_or(fallback);
}

void IniFile::setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    const QByteArray line = key + '=' + value;
    // A file whose last line has no ending gets one before anything is added after it.
    const auto endLastLine = [this] {
        if (!m_lines.isEmpty() && !m_lines.back().endsWith('\n'))
            m_lines.back().append(m_eol);
    };
    const int header = findSection(section);
    if (header < 0) {
        endLastLine();
        if (!m_lines.isEmpty() && !lineText(m_lines, int(m_lines.size()) - 1).trimmed().isEmpty())
            m_lines.append(m_eol);
        m_lines.append('[' + section + ']' + m_eol);
        m_lines.append(line + m_eol);
        return;
    }
    const int existing = findKey(header, key);
    if (existing >= 0) {
        // The replaced line keeps the ending it had.
        const QByteArray &old = m_lines[existing];
        const QByteArray ending = old.endsWith("\r\n") ? QByteArray("\r\n")
                                  : old.endsWith('\n')  ? QByteArray("\n")
                                                         : QByteArray();
        m_lines[existing] = line + ending;
        return;
    }
    // A new key goes after the section's last non-blank line, before any blank
    // lines that separate it from the next section.
    int at = sectionEnd(header);
    while (at > header + 1 && lineText(m_lines, at - 1).trimmed().isEmpty())
        --at;
    if (at == m_lines.size())
        endLastLine();
    m_lines.insert(at, line + m_eol);
}

bool IniFile::save() const
{
    // A file that is there but could not be read (unreadable, or far too large) is
    // not ours to replace with the few keys we know.
    if (!m_exists && QFileInfo::exists(m_path))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray &line : m_lines)
        file.write(line);
    return file.commit();
}

QByteArray IniFile::read(const QString &path, const QByteArray &section,
                         const QByteArray &key, const QByteArray &fallback)
{
    return IniFile(path).value(section, key, fallback);
}
