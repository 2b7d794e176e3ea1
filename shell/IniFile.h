// An INI document of the Windows kind held in memory: sections and keys in file order,
// names compared without regard to case, values read and written as Windows does.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace kaleno {

// Names as the index of an IniFile holds them: hashed and compared without regard to case.
struct IniName {
    QStringView name;
};
struct IniKeyName {
    qint32 section;
    QStringView name;
};
bool operator==(const IniName &a, const IniName &b) noexcept;
bool operator==(const IniKeyName &a, const IniKeyName &b) noexcept;
size_t qHash(const IniName &key, size_t seed = 0) noexcept;
size_t qHash(const IniKeyName &key, size_t seed = 0) noexcept;

// Reading follows the Windows profile functions: a line "[name]" opens a section (text
// after the ']' is ignored), "key=value" splits at the first '=' with both sides trimmed,
// a section or key that appears twice is found at its first place. Lines ending in
// "\r\n", "\n" or a lone "\r" are all accepted. Everything else (comments starting with
// ';', lines without '=', lines before the first section) is kept as it is and written
// back, but cannot be read as a key. Blank lines are not kept: Serialize puts one blank
// line between sections.
class IniFile {
public:
    // Any bytes give a document; the text is UTF-8 when valid, else Windows-1252.
    static IniFile Parse(QByteArrayView bytes);
    // UTF-8 without byte-order mark, lines ended by "\r\n".
    QByteArray Serialize() const;

    bool HasSection(const QString &section) const;
    bool Has(const QString &section, const QString &key) const;
    // Distinct section names in file order, as spelt at their first place.
    QStringList Sections() const;
    // Distinct key names of the section in file order (empty if there is no section).
    QStringList Keys(const QString &section) const;

    QString ReadString(
        const QString &section, const QString &key, const QString &defaultValue) const;
    // An optional sign and decimal digits that fit an int; anything else (an empty
    // value, "12abc", "0x10", "99999999999") gives defaultValue.
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    // A readable integer other than 0 is true; anything unreadable gives defaultValue.
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;

    // Replaces the value of an existing key in place, else appends the key at the end of
    // its section, else appends the section at the end of the document. Line breaks in
    // the value become spaces and the value is trimmed, so that it reads back as stored.
    // The key must be a plain name: trimmed, no '=' or line break, not starting with ';'.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    // Written as 1 or 0.
    void WriteBool(const QString &section, const QString &key, bool value);

    // Appends every key of `other` that this document lacks, with its value, at the end of
    // its section (the section appended when missing). Only what `other` can read moves:
    // the first section of each name, the first place of each key.
    void MergeMissing(const IniFile &other);

private:
    // Keys and values are views into storage_: the decoded file and every text written
    // since. The strings there are never changed, so that the views stay valid through
    // copies and moves; a file of millions of lines costs a few words per line, no
    // allocation per line.
    struct Line {
        QStringView key; // the whole line when it is not a key
        QStringView value;
        qint32 next = -1; // next line of the same section
        bool isKey = true;
    };
    struct Section {
        QStringView name;
        qint32 first = -1;
        qint32 last = -1;
    };

    qint32 findSection(QStringView section) const;
    const Line *findKey(QStringView section, QStringView key) const;
    // The first section of that name, appended when missing; -1 when the document is full.
    qint32 sectionForWriting(const QString &section);
    bool addSection(QStringView name);
    bool appendLine(qint32 section, const Line &line);
    QStringView store(QString text);

    std::vector<QString> storage_;
    std::vector<QStringView> preamble_;
    std::vector<Section> sections_;
    std::vector<Line> lines_;
    QHash<IniName, qint32> sectionIndex_; // name -> first section of that name
    QHash<IniKeyName, qint32> keyIndex_; // (section, key) -> first line of that key
};

} // namespace kaleno
