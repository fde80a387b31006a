#pragma once
// INI files as the radio programmer's files are written in the field: "[section]"
// lines and "key=value" lines, CR LF or LF endings, section and key names matched
// without regard to letter case, the first match winning. Values are raw 8-bit
// text; callers decode them where they are shown. Writing a value rewrites that one
// line (or adds it) and leaves every other line of the file as it was.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class IniFile
{
public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit IniFile(const QString &path);

    bool exists() const { return m_exists; }
    std::optional<QByteArray> value(const QByteArray &section, const QByteArray &key) const;
    QByteArray value(const QByteArray &section, const QByteArray &key,
                     const QByteArray &fallback) const;

    void setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value);
    // Writes the file atomically; false when it cannot be written, or when it exists
    // but could not be read (it is then left alone rather than cut to a few keys).
    bool save() const;

    // Convenience for one look-up in one file.
    static QByteArray read(const QString &path, const QByteArray &section,
                           const QByteArray &key, const QByteArray &fallback);

private:
    int findSection(const QByteArray &section) const;   // line index of the header, or -1
    int sectionEnd(int header) const;                   // first line after the section
    int findKey(int header, const QByteArray &key) const;

    QString m_path;
    QList<QByteArray> m_lines;
    QByteArray m_eol = "\r\n";
    bool m_exists = false;
};
